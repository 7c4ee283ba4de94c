// Fuzz target: one morph run of either method, dissolving or warp-only, on random meshes or
// field lines over small random images. A run must finish with the scheduled number of frames
// or raise RunFailure; it must leave its two input images untouched and never touch memory
// outside its images (each image is its own exact-size allocation, so the address sanitizer
// sees a stray byte). The sizes are bounded so one input runs in well under a second.
#include "FieldMorphSequence.hpp"
#include "FuzzInput.hpp"
#include "IplHeader.hpp"
#include "MeshMorphSequence.hpp"
#include "MorphSchedule.hpp"
#include "RunFailure.hpp"
#include "RunMeshes.hpp"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

namespace {

constexpr int32_t kMaxSide = 40;          // full-size width and height of the images
constexpr int32_t kMaxFieldPoints = 1002; // what the editor's state record holds at most
constexpr int32_t kMaxFrames = 100;       // what the editor accepts
// Work of one run, so an input takes well under a second under the sanitizers; the frame count
// is cut to fit. A field frame visits every pixel once per line and warp; a mesh frame's cost
// grows with its nodes times the image's width plus height.
constexpr int64_t kFieldWorkBudget = 12'000'000;
constexpr int64_t kMeshWorkBudget = 2'000'000;

[[noreturn]] void Fault(const char* what) {
    std::fprintf(stderr, "morph kernels: %s\n", what);
    std::abort();
}

struct Image {
    Image(int32_t width, int32_t height)
        : pixels(static_cast<size_t>(RowStrideFor(width)) * height), work{pixels.data(), width,
                                                                          height,
                                                                          RowStrideFor(width)} {}
    std::vector<uint8_t> pixels;
    WorkImage work;
};

IplHeaderPtr HeaderOver(Image& image) {
    IplHeaderPtr header(iplCreateImageHeader(3, 0, kIplDepth8U, "RGB", "BGR", kIplDataOrderPixel,
                                             kIplOriginBottomLeft, kIplAlignDword, image.work.width,
                                             image.work.height));
    if (!header)
        Fault("no header for a valid image");
    header->pixels = image.pixels.data();
    header->pixelsOrigin = image.pixels.data();
    return header;
}

class CountingSink : public FrameSink {
public:
    void EmitFrame(const WorkImage&, int64_t index) override {
        ++emitted;
        if (emitted != stepped + 1)
            Fault("frame emitted without a progress step after the previous one");
        if (index != emitted)
            Fault("frame emitted out of order");
    }
    void StepProgress() override {
        ++stepped;
        if (stepped != emitted)
            Fault("progress stepped without a frame");
    }
    int64_t emitted = 0;
    int64_t stepped = 0;
};

// A coordinate of a stored point: mostly near the image, sometimes far outside it.
int32_t Coordinate(FuzzInput& in, int32_t side) {
    switch (in.Range(0, 7)) {
    case 0:
        return static_cast<int32_t>(in.Range(-(1 << 22), 1 << 22)); // far outside
    case 1:
        return static_cast<int32_t>(in.Range(-3 * side, 4 * side));
    default:
        return static_cast<int32_t>(in.Range(-2, side + 1));
    }
}

// Fills a stored mesh of cols x rows inner lines in one of several shapes.
void FillMesh(FuzzInput& in, std::vector<Point>& mesh, int32_t cols, int32_t rows, int32_t width,
              int32_t height) {
    const int32_t shape = static_cast<int32_t>(in.Range(0, 3));
    const Point pin{static_cast<int32_t>(in.Range(0, width - 1)),
                    static_cast<int32_t>(in.Range(0, height - 1))};
    for (int32_t c = 0; c <= cols + 1; ++c) {
        for (int32_t r = 0; r <= rows + 1; ++r) {
            const int32_t gx = static_cast<int32_t>(int64_t{c} * (width - 1) / (cols + 1));
            const int32_t gy = static_cast<int32_t>(int64_t{r} * (height - 1) / (rows + 1));
            Point p{gx, gy};
            if (shape == 1) // folded: the grid mirrored, so every cell turns inside out
                p = {width - 1 - gx, height - 1 - gy};
            else if (shape == 2) // collapsed onto one point
                p = pin;
            else if (shape == 3) // anywhere
                p = {Coordinate(in, width), Coordinate(in, height)};
            if (in.Range(0, 3) == 0) // a jolt on any shape
                p = {p.x + Coordinate(in, width) / 2, p.y + Coordinate(in, height) / 2};
            // The border stays on the image's top and left edges, as the editor keeps it.
            if (c == 0)
                p.x = 0;
            if (r == 0)
                p.y = 0;
            mesh[static_cast<size_t>(c) * kMeshArraySide + r] = p;
        }
    }
}

// Fills the stored field polylines; both arrays break at the same entries.
int32_t FillField(FuzzInput& in, std::vector<Point>& src, std::vector<Point>& dst, int32_t width,
                  int32_t height) {
    const int32_t count =
        static_cast<int32_t>(in.Range(0, 3) == 0 ? in.Range(0, kMaxFieldPoints) : in.Range(0, 12));
    const int32_t breakEvery = static_cast<int32_t>(in.Range(0, 5));
    for (int32_t i = 0; i < count; ++i) {
        const bool isBreak = breakEvery > 0 ? i % (breakEvery + 1) == breakEvery : in.Flag();
        if (isBreak) {
            src[i] = dst[i] = Point{BREAK_MARK, 0};
            continue;
        }
        src[i] = {Coordinate(in, width), Coordinate(in, height)};
        dst[i] =
            in.Range(0, 3) == 0 ? src[i] : Point{Coordinate(in, width), Coordinate(in, height)};
    }
    return count;
}

double Scale(FuzzInput& in) {
    static constexpr double kScales[] = {1.0, 0.5, 1.0 / 3.0, 0.75, 0.1};
    const int64_t pick = in.Range(0, 5);
    return pick < 5 ? kScales[pick] : 0.001 + 0.999 * in.Fraction();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput in(data, size);
    const bool mesh = in.Flag();
    const bool warpOnly = in.Flag();
    const bool linear = in.Flag();
    const int32_t fullWidth = static_cast<int32_t>(in.Range(1, kMaxSide));
    const int32_t fullHeight = static_cast<int32_t>(in.Range(1, kMaxSide));
    const double scale = Scale(in);
    const int32_t width = std::max(1, static_cast<int32_t>(fullWidth * scale));
    const int32_t height = std::max(1, static_cast<int32_t>(fullHeight * scale));
    // Short runs are as telling as long ones and many times cheaper: most inputs take them.
    int32_t frames =
        static_cast<int32_t>(in.Range(0, 3) == 0 ? in.Range(0, kMaxFrames) : in.Range(0, 12));

    Image src(width, height), dst(width, height), frame(width, height), warpedDst(width, height);
    const uint32_t seed = static_cast<uint32_t>(in.Range(0, 0xFFFFFFFF));
    for (size_t i = 0; i < src.pixels.size(); ++i) {
        src.pixels[i] = static_cast<uint8_t>((seed >> (i % 24)) + 7 * i);
        dst.pixels[i] = static_cast<uint8_t>((seed >> (i % 16)) ^ (13 * i));
    }
    const std::vector<uint8_t> srcBefore = src.pixels, dstBefore = dst.pixels;
    IplHeaderPtr frameIpl = HeaderOver(frame), warpedDstIpl = HeaderOver(warpedDst);
    const MorphImages images{src.work,       dst.work,       frame.work,
                             warpedDst.work, frameIpl.get(), warpedDstIpl.get()};

    CountingSink sink;
    bool failed = false;
    try {
        if (mesh) {
            const auto lines = [&in] {
                return static_cast<int32_t>(in.Range(0, 3) == 0 ? in.Range(1, kMeshArraySide - 2)
                                                                : in.Range(1, 6));
            };
            const int32_t cols = lines();
            const int32_t rows = lines();
            std::vector<Point> meshSrc(kMeshArraySide * kMeshArraySide);
            std::vector<Point> meshDst(kMeshArraySide * kMeshArraySide);
            FillMesh(in, meshSrc, cols, rows, fullWidth, fullHeight);
            FillMesh(in, meshDst, cols, rows, fullWidth, fullHeight);
            const int64_t perFrame =
                int64_t{cols + 2} * (rows + 2) * (width + height) * (warpOnly ? 1 : 2);
            frames =
                static_cast<int32_t>(std::min<int64_t>(frames, 2 + kMeshWorkBudget / perFrame));
            MeshMorphSequence(meshSrc.data(), meshDst.data(), cols, rows, images, frames, linear,
                              warpOnly, scale, sink);
        } else {
            std::vector<Point> fieldSrc(kMaxFieldPoints), fieldDst(kMaxFieldPoints);
            const int32_t count = FillField(in, fieldSrc, fieldDst, fullWidth, fullHeight);
            const int64_t perFrame =
                int64_t{width} * height * std::max(count, 1) * (warpOnly ? 1 : 2);
            frames =
                static_cast<int32_t>(std::min<int64_t>(frames, 2 + kFieldWorkBudget / perFrame));
            FieldMorphSequence(fieldSrc.data(), fieldDst.data(), count, fullHeight - 1, images,
                               frames, warpOnly, scale, sink);
        }
    } catch (const RunFailure&) {
        failed = true;
    }
    const int64_t scheduled = MorphSchedule(frames, warpOnly).Count();
    if (failed ? sink.emitted >= scheduled : sink.emitted != scheduled)
        Fault("the run emitted a different number of frames than scheduled");
    if (src.pixels != srcBefore || dst.pixels != dstBefore)
        Fault("the run wrote into its input images");
    return 0;
}
