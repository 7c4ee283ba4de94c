#include <gtest/gtest.h>

#include <omp.h>

#include <random>
#include <string>
#include <vector>

#include "ImageCompare.hpp"
#include "MeshMorphSequence.hpp"
#include "MeshTestGrids.hpp"
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

// One mesh sequence over fresh images, on the kernels TWEENKIT_REFERENCE selects now.
RunRecord RunSequence(const std::vector<Point>& src, const std::vector<Point>& dst, int32_t cols,
                      int32_t rows, int32_t width, int32_t height, int32_t frames, bool linear,
                      bool warpOnly) {
    MorphTestSet set(width, height);
    set.src.FillRandom(1);
    set.dst.FillRandom(2);
    RecordingSink sink(set.frame);
    RunRecord record;
    try {
        MeshMorphSequence(src.data(), dst.data(), cols, rows, set.Images(), frames, linear,
                          warpOnly, 1.0, sink);
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
    int32_t cols; // inner lines
    int32_t rows;
    int32_t shift; // the destination's inner nodes move by up to this many pixels
    bool swapRows; // rows 1 and 2 swap their heights, so a frame fails
};

// The default fast sequence emits the reference's frames, or fails at the reference's frame,
// on one and two threads, in morph and warp-only mode, linear and spline.
TEST(MeshMorphSequence, FastKernelsEmitTheReferenceFrames) {
    const SequenceCase cases[] = {
        {"odd preview", 37, 23, 3, 2, 3, false},
        {"one column", 1, 9, 1, 1, 0, false},
        {"padded rows", 7, 5, 1, 1, 1, false},
        {"rows meet", 10, 100, 1, 2, 0, true},
    };
    for (const SequenceCase& c : cases) {
        std::vector<Point> src = NewMeshNodes(c.width, c.height, c.cols, c.rows);
        std::vector<Point> dst = src;
        std::mt19937 random(5);
        std::uniform_int_distribution<int32_t> shift(-c.shift, c.shift);
        for (int32_t k = 1; k <= c.cols; ++k) {
            for (int32_t r = 1; r <= c.rows; ++r) {
                dst[k * kMeshArraySide + r].x += shift(random);
                dst[k * kMeshArraySide + r].y += shift(random);
            }
        }
        if (c.swapRows) {
            for (int32_t k = 0; k <= c.cols + 1; ++k) {
                src[k * kMeshArraySide + 1].y = 40;
                src[k * kMeshArraySide + 2].y = 60;
                dst[k * kMeshArraySide + 1].y = 60;
                dst[k * kMeshArraySide + 2].y = 40;
            }
        }
        for (const bool linear : {true, false}) {
            for (const bool warpOnly : {false, true}) {
                const std::string name = std::string(c.name) + (linear ? " linear" : " spline") +
                                         (warpOnly ? " warp-only" : " morph");
                RunRecord expected;
                {
                    const ScopedEnvironment reference("TWEENKIT_REFERENCE", "1");
                    expected = RunSequence(src, dst, c.cols, c.rows, c.width, c.height, 5, linear,
                                           warpOnly);
                }
                const int defaultThreads = omp_get_max_threads();
                for (const int threads : {1, 2}) {
                    const ScopedEnvironment fast("TWEENKIT_REFERENCE", nullptr);
                    omp_set_num_threads(threads);
                    const RunRecord actual = RunSequence(src, dst, c.cols, c.rows, c.width,
                                                         c.height, 5, linear, warpOnly);
                    omp_set_num_threads(defaultThreads);
                    EXPECT_EQ(actual.failure, expected.failure) << name << ", " << threads;
                    EXPECT_EQ(actual.events, expected.events) << name << ", " << threads;
                    EXPECT_EQ(FirstFrameDifference(expected.frames, actual.frames), "")
                        << name << ", " << threads;
                }
                if (c.swapRows && linear && !warpOnly) {
                    EXPECT_FALSE(expected.failure.empty()) << name << " was to fail";
                }
            }
        }
    }
}

} // namespace
