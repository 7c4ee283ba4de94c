#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "MeshMorphSequence.hpp"
#include "MeshTestGrids.hpp"
#include "MorphTestSet.hpp"
#include "RunFailure.hpp"

namespace {

TEST(BuildRunMeshes, ScalesNodesAndPinsTheBorderToTheWorkingImage) {
    // A 400 x 300 image previewed at 200 x 150.
    std::vector<Point> nodes = NewMeshNodes(400, 300, 3, 2);
    nodes[1 * kMeshArraySide + 1] = {100, 60};
    const RunMeshes meshes = BuildRunMeshes(nodes.data(), nodes.data(), 3, 2, 200, 150, 0.5);
    ASSERT_EQ(meshes.src.cols, 5);
    ASSERT_EQ(meshes.src.rows, 4);
    EXPECT_EQ(meshes.src.X(1, 1), 50.0);
    EXPECT_EQ(meshes.src.Y(1, 1), 30.0);
    EXPECT_EQ(meshes.dst.X(1, 1), 50.0);
    for (int32_t r = 0; r < 4; ++r) {
        EXPECT_EQ(meshes.src.X(r, 0), 0.0);
        EXPECT_EQ(meshes.src.X(r, 4), 199.0) << r; // not 399 * 0.5
        EXPECT_EQ(meshes.dst.X(r, 4), 199.0) << r;
    }
    for (int32_t k = 0; k < 5; ++k) {
        EXPECT_EQ(meshes.src.Y(0, k), 0.0);
        EXPECT_EQ(meshes.src.Y(3, k), 149.0) << k; // not 299 * 0.5
        EXPECT_EQ(meshes.dst.Y(3, k), 149.0) << k;
    }
    EXPECT_THROW(BuildRunMeshes(nodes.data(), nodes.data(), 0, 2, 200, 150, 0.5),
                 std::invalid_argument);
    EXPECT_THROW(BuildRunMeshes(nodes.data(), nodes.data(), 3, 101, 200, 150, 0.5),
                 std::invalid_argument);
}

// 0.9090... * 149 + 0.0909... * 149 misses 149 in the last bit; equal coordinates keep it.
TEST(InterpolateMidMesh, EqualCoordinatesKeepTheirValue) {
    const MeshGrid src = RegularMesh({0, 30, 199}, {0, 20, 149});
    const MeshGrid dst = RegularMesh({0, 41, 199}, {0, 20, 149});
    MeshGrid mid(3, 3);
    for (int i = 1; i <= 10; ++i) {
        const double t = i / 11.0;
        const double s = 1.0 - t;
        InterpolateMidMesh(src, dst, s, t, mid);
        for (int32_t r = 0; r < 3; ++r) {
            EXPECT_EQ(mid.X(r, 2), 199.0);
            EXPECT_EQ(mid.Y(2, r), 149.0);
            EXPECT_EQ(mid.Y(1, r), 20.0);
            EXPECT_EQ(mid.X(r, 1), s * 30 + t * 41);
        }
    }
}

// The meshes of a 1 x 1 image: the warp copies it, so each frame shows the dissolve weight
// of a white start image over a black final image.
struct OnePixelRun {
    OnePixelRun() : nodes(NewMeshNodes(1, 1, 1, 1)), set(1, 1), sink(set.frame) {
        set.src.pixels.assign(set.src.pixels.size(), 255);
        set.warpedDst.pixels.assign(set.warpedDst.pixels.size(), 0x33);
    }

    void Run(int32_t frames, bool warpOnly) {
        MeshMorphSequence(nodes.data(), nodes.data(), 1, 1, set.Images(), frames, true, warpOnly,
                          1.0, sink);
    }

    std::vector<Point> nodes;
    MorphTestSet set;
    RecordingSink sink;
};

TEST(MeshMorphSequence, FrameCountsAndWeights) {
    struct Case {
        int32_t frames;
        bool warpOnly;
        std::vector<uint8_t> frameValues; // blue byte of every emitted frame
    };
    const Case cases[] = {
        {0, false, {}},
        {1, false, {}},
        {2, false, {}},
        {0, true, {}},
        {1, true, {}},
        {3, false, {127}},
        {12, false, {231, 208, 185, 162, 139, 115, 92, 69, 46, 23}},
        {12, true, std::vector<uint8_t>(11, 255)},
    };
    for (const Case& c : cases) {
        OnePixelRun run;
        run.Run(c.frames, c.warpOnly);
        std::vector<uint8_t> values;
        std::string expectedEvents;
        for (const std::vector<uint8_t>& frame : run.sink.frames) {
            values.push_back(frame[0]);
            expectedEvents += "EP";
        }
        EXPECT_EQ(values, c.frameValues) << c.frames << " warp-only " << c.warpOnly;
        EXPECT_EQ(run.sink.events, expectedEvents);
        if (c.warpOnly) {
            EXPECT_EQ(run.set.warpedDst.pixels[0], 0x33) << "warp-only warped the final image";
        }
    }
}

// Two neighbouring mesh rows swap their heights (40 and 60) between the meshes and meet at
// 50 at t = 0.5: that frame fails and is not emitted, earlier frames are.
TEST(MeshMorphSequence, FailingFrameEndsTheSequence) {
    struct Case {
        int32_t frames;
        size_t emittedBeforeFailure;
    };
    for (const Case c : {Case{3, 0}, Case{5, 1}}) {
        std::vector<Point> src = NewMeshNodes(10, 100, 1, 2);
        std::vector<Point> dst = src;
        for (int32_t k = 0; k <= 2; ++k) {
            src[k * kMeshArraySide + 1].y = 40;
            src[k * kMeshArraySide + 2].y = 60;
            dst[k * kMeshArraySide + 1].y = 60;
            dst[k * kMeshArraySide + 2].y = 40;
        }
        MorphTestSet set(10, 100);
        set.src.FillRandom(1);
        set.dst.FillRandom(2);
        RecordingSink sink(set.frame);
        EXPECT_THROW(MeshMorphSequence(src.data(), dst.data(), 1, 2, set.Images(), c.frames, true,
                                       false, 1.0, sink),
                     RunFailure);
        EXPECT_EQ(sink.frames.size(), c.emittedBeforeFailure) << c.frames;
        EXPECT_EQ(sink.events, c.emittedBeforeFailure == 0 ? "" : "EP");
    }
}

// Calls of the kernels handed to a sequence, in order: "W" a warp, "D" a dissolve.
std::string kernelCalls;

// The sequence runs the kernels it is handed, whatever TWEENKIT_REFERENCE says: two warps
// and a dissolve per frame, one warp per frame in warp-only mode.
TEST(MeshMorphSequence, RunsTheKernelsItIsHanded) {
    const MeshMorphKernels recording{[](const WorkImage&, const WorkImage&, const MeshGrid&,
                                        const MeshGrid&, bool,
                                        MeshWarpScratch&) { kernelCalls += 'W'; },
                                     [](IplHeader*, const IplHeader*, int) { kernelCalls += 'D'; }};
    const std::vector<Point> nodes = NewMeshNodes(20, 10, 1, 1);
    for (const bool warpOnly : {false, true}) {
        MorphTestSet set(20, 10);
        RecordingSink sink(set.frame);
        kernelCalls.clear();
        MeshMorphSequence(nodes.data(), nodes.data(), 1, 1, set.Images(), 4, true, warpOnly, 1.0,
                          recording, sink);
        EXPECT_EQ(kernelCalls, warpOnly ? "WWW" : "WWDWWD");
        EXPECT_EQ(sink.events, warpOnly ? "EPEPEP" : "EPEP");
    }
}

TEST(MeshMorphSequence, RejectsAnIncompleteWorkingSet) {
    OnePixelRun run;
    MorphImages images = run.set.Images();
    images.warpedDstIpl = nullptr;
    EXPECT_THROW(MeshMorphSequence(run.nodes.data(), run.nodes.data(), 1, 1, images, 3, true, false,
                                   1.0, run.sink),
                 std::invalid_argument);
    EXPECT_NO_THROW(MeshMorphSequence(run.nodes.data(), run.nodes.data(), 1, 1, images, 3, true,
                                      true, 1.0, run.sink));
}

} // namespace
