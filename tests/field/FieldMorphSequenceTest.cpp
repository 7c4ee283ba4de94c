#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FieldMorphSequence.hpp"
#include "MorphTestSet.hpp"
#include "RunFailure.hpp"

namespace {

// A 1 x 1 run with one line made by a click without a drag (two equal points, nudged to a
// length): the warp copies the pixel, so each frame shows the dissolve weight of a white start
// image over a black final image.
struct OnePixelRun {
    OnePixelRun() : points{{0, 0}, {0, 0}, {BREAK_MARK, 0}}, set(1, 1), sink(set.frame) {
        set.src.pixels.assign(set.src.pixels.size(), 255);
        set.warpedDst.pixels.assign(set.warpedDst.pixels.size(), 0x33);
    }

    void Run(int32_t frames, bool warpOnly) {
        FieldMorphSequence(points.data(), points.data(), 2, 0, set.Images(), frames, warpOnly, 1.0,
                           sink);
    }

    std::vector<Point> points;
    MorphTestSet set;
    RecordingSink sink;
};

TEST(FieldMorphSequence, FrameCountsAndWeights) {
    struct Case {
        int32_t frames;
        bool warpOnly;
        std::vector<uint8_t> frameValues; // red byte of every emitted frame
    };
    const Case cases[] = {
        {0, false, {}},
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
            values.push_back(frame[2]);
            expectedEvents += "EP";
        }
        EXPECT_EQ(values, c.frameValues) << c.frames << " warp-only " << c.warpOnly;
        EXPECT_EQ(run.sink.events, expectedEvents);
        if (c.warpOnly) {
            EXPECT_EQ(run.set.warpedDst.pixels[0], 0x33) << "warp-only warped the final image";
        }
    }
}

// A start line and an end line over the same segment in opposite directions collapse to one
// pixel at t = 0.5: that frame fails and is not emitted, earlier frames are.
TEST(FieldMorphSequence, FailingFrameEndsTheSequence) {
    struct Case {
        int32_t frames;
        size_t emittedBeforeFailure;
    };
    for (const Case c : {Case{3, 0}, Case{5, 1}}) {
        const std::vector<Point> src{{10, 10}, {20, 10}};
        const std::vector<Point> dst{{20, 10}, {10, 10}};
        MorphTestSet set(30, 30);
        set.src.FillRandom(1);
        set.dst.FillRandom(2);
        RecordingSink sink(set.frame);
        EXPECT_THROW(FieldMorphSequence(src.data(), dst.data(), 2, 29, set.Images(), c.frames,
                                        false, 1.0, sink),
                     RunFailure);
        EXPECT_EQ(sink.frames.size(), c.emittedBeforeFailure) << c.frames;
        EXPECT_EQ(sink.events, c.emittedBeforeFailure == 0 ? "" : "EP");
    }
}

} // namespace
