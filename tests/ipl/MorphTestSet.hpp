#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "FrameSink.hpp"
#include "IplHeader.hpp"
#include "MorphImages.hpp"
#include "TestImages.hpp"

// A header over an owned image, laid out as the working set's dissolve headers are.
inline IplHeaderPtr HeaderOver(OwnedImage& owned) {
    IplHeaderPtr header(iplCreateImageHeader(3, 0, kIplDepth8U, "RGB", "BGR", kIplDataOrderPixel,
                                             kIplOriginBottomLeft, kIplAlignDword,
                                             owned.image.width, owned.image.height));
    header->pixels = owned.image.bits;
    header->pixelsOrigin = owned.image.bits;
    return header;
}

// The four working images of a run with their two dissolve headers, for tests.
struct MorphTestSet {
    // A working set of width x height pixels, every image black.
    MorphTestSet(int32_t width, int32_t height)
        : src(width, height), dst(width, height), frame(width, height), warpedDst(width, height),
          frameIpl(HeaderOver(frame)), warpedDstIpl(HeaderOver(warpedDst)) {}

    // The description the sequences take.
    MorphImages Images() {
        return {src.image,       dst.image,      frame.image,
                warpedDst.image, frameIpl.get(), warpedDstIpl.get()};
    }

    OwnedImage src;            // start image
    OwnedImage dst;            // final image
    OwnedImage frame;          // output frame
    OwnedImage warpedDst;      // warped final image
    IplHeaderPtr frameIpl;     // header over frame
    IplHeaderPtr warpedDstIpl; // header over warpedDst
};

// Records what a sequence hands on: "E" for a frame, "P" for a progress step, and a copy of
// every emitted frame. A frame that is not the working set's frame image, or whose number is
// not the next one, is recorded as "X".
class RecordingSink : public FrameSink {
public:
    // Expects the frame image of a working set.
    explicit RecordingSink(const OwnedImage& frame) : frame_(frame) {}

    // Records the event and copies the frame.
    void EmitFrame(const WorkImage& frame, int64_t index) override {
        const bool expected = frame.bits == frame_.image.bits &&
                              SameGeometry(frame, frame_.image) &&
                              index == static_cast<int64_t>(frames.size()) + 1;
        events += expected ? 'E' : 'X';
        frames.emplace_back(frame.bits,
                            frame.bits + static_cast<std::size_t>(frame.rowStride) * frame.height);
    }

    // Records the event.
    void StepProgress() override { events += 'P'; }

    std::string events;                       // event letters in call order
    std::vector<std::vector<uint8_t>> frames; // pixel memory of every emitted frame

private:
    const OwnedImage& frame_;
};
