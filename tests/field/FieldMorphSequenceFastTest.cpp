#include <gtest/gtest.h>

#include <omp.h>

#include <random>
#include <string>
#include <vector>

#include "FieldMorphSequence.hpp"
#include "ImageCompare.hpp"
#include "MorphTestSet.hpp"
#include "RunFailure.hpp"
#include "TestSchedules.hpp"

namespace {

// What a run handed on, and how it ended.
struct RunRecord {
    std::vector<std::vector<uint8_t>> frames;
    std::string events;
    std::string failure; // empty: the run finished
};

// One field sequence over fresh images, on the kernels TWEENKIT_REFERENCE selects now.
RunRecord RunSequence(const std::vector<Point>& src, const std::vector<Point>& dst, int32_t width,
                      int32_t height, int32_t frames, bool warpOnly) {
    MorphTestSet set(width, height);
    set.src.FillRandom(1);
    set.dst.FillRandom(2);
    RecordingSink sink(set.frame);
    RunRecord record;
    try {
        FieldMorphSequence(src.data(), dst.data(), static_cast<int32_t>(src.size()), height - 1,
                           set.Images(), frames, warpOnly, 1.0, sink);
    } catch (const RunFailure& failure) {
        record.failure = failure.what();
    }
    record.frames = sink.frames;
    record.events = sink.events;
    return record;
}

struct SequenceCase {
    const char* name;
    int32_t width;
    int32_t height;
    std::vector<Point> src; // stored polylines, rows from the top
    std::vector<Point> dst;
};

// The default fast sequence emits the reference's frames, or fails at the reference's frame,
// on one and two threads, in morph and warp-only mode.
TEST(FieldMorphSequence, FastKernelsEmitTheReferenceFrames) {
    const SequenceCase cases[] = {
        {"polyline and a click",
         23,
         17,
         {{2, 3}, {15, 4}, {20, 14}, {BREAK_MARK, 0}, {9, 9}, {9, 9}, {BREAK_MARK, 0}},
         {{4, 2}, {13, 7}, {22, 12}, {BREAK_MARK, 0}, {8, 10}, {8, 10}, {BREAK_MARK, 0}}},
        {"points outside",
         9,
         7,
         {{-40, 3}, {50, -9}, {BREAK_MARK, 0}},
         {{-35, 5}, {44, -2}, {BREAK_MARK, 0}}},
        {"lines collapse", 30, 30, {{10, 10}, {20, 10}}, {{20, 10}, {10, 10}}},
    };
    for (const SequenceCase& c : cases) {
        for (const bool warpOnly : {false, true}) {
            const std::string name = std::string(c.name) + (warpOnly ? " warp-only" : " morph");
            RunRecord expected;
            {
                const ScopedEnvironment reference("TWEENKIT_REFERENCE", "1");
                expected = RunSequence(c.src, c.dst, c.width, c.height, 5, warpOnly);
            }
            const int defaultThreads = omp_get_max_threads();
            for (const int threads : {1, 2}) {
                const ScopedEnvironment fast("TWEENKIT_REFERENCE", nullptr);
                omp_set_num_threads(threads);
                const RunRecord actual = RunSequence(c.src, c.dst, c.width, c.height, 5, warpOnly);
                omp_set_num_threads(defaultThreads);
                EXPECT_EQ(actual.failure, expected.failure) << name << ", " << threads;
                EXPECT_EQ(actual.events, expected.events) << name << ", " << threads;
                EXPECT_EQ(FirstFrameDifference(expected.frames, actual.frames), "")
                    << name << ", " << threads;
            }
        }
    }
}

} // namespace
