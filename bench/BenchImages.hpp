#pragma once

#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <random>
#include <stdlib.h>
#include <thread>
#include <vector>

#include <omp.h>

#include "IplHeader.hpp"
#include "KernelSchedule.hpp"
#include "MorphImages.hpp"
#include "ParallelFor.hpp"
#include "Point.hpp"
#include "WorkImage.hpp"

// A working image that owns seeded pseudo-random pixels.
struct BenchImage {
    // width x height pixels of noise from the seed.
    BenchImage(int32_t width, int32_t height, uint32_t seed)
        : pixels(static_cast<std::size_t>(RowStrideFor(width)) * height), image{
                                                                              pixels.data(), width,
                                                                              height,
                                                                              RowStrideFor(width)} {
        std::mt19937 random(seed);
        for (uint8_t& byte : pixels) {
            byte = static_cast<uint8_t>(random() & 0xFF);
        }
    }
    BenchImage(const BenchImage&) = delete;
    BenchImage& operator=(const BenchImage&) = delete;

    std::vector<uint8_t> pixels; // the pixel memory
    WorkImage image;             // description of pixels
};

// Stored mesh nodes as the editor lays a v x h mesh over the image, with every inner node of
// the destination moved by up to three pixels each way.
struct BenchMeshes {
    // Meshes for a width x height image.
    BenchMeshes(int32_t width, int32_t height, int32_t v, int32_t h)
        : src(102 * 102, Point{0, 0}), dst(src) {
        std::mt19937 random(7);
        std::uniform_int_distribution<int32_t> shift(-3, 3);
        const int32_t dx = (width + v) / (v + 1);
        const int32_t dy = (height + h) / (h + 1);
        for (int32_t k = 0; k <= v + 1; ++k) {
            for (int32_t r = 0; r <= h + 1; ++r) {
                const Point node{k <= v ? k * dx : width - 1, r <= h ? r * dy : height - 1};
                src[k * 102 + r] = node;
                const bool inner = k >= 1 && k <= v && r >= 1 && r <= h;
                dst[k * 102 + r] =
                    inner ? Point{node.x + shift(random), node.y + shift(random)} : node;
            }
        }
    }

    std::vector<Point> src; // source nodes, [c][r] at c * 102 + r
    std::vector<Point> dst; // destination nodes
};

// Stored field points of count separate lines spread over a width x height image (rows from
// the top), each at least 20 pixels long, and the same lines with their ends moved up to four
// pixels each way; each line is two points and a break.
struct BenchFieldPoints {
    // Points for count lines.
    BenchFieldPoints(int32_t width, int32_t height, int32_t count) {
        std::mt19937 random(3);
        std::uniform_int_distribution<int32_t> column(0, width - 1);
        std::uniform_int_distribution<int32_t> row(0, height - 1);
        std::uniform_int_distribution<int32_t> shift(-4, 4);
        while (static_cast<int32_t>(src.size()) < 3 * count) {
            const Point p{column(random), row(random)};
            const Point q{column(random), row(random)};
            if (std::abs(q.x - p.x) + std::abs(q.y - p.y) < 20) {
                continue; // short lines could collapse when interpolated
            }
            src.insert(src.end(), {p, q, Point{BREAK_MARK, 0}});
            dst.insert(dst.end(),
                       {Point{p.x + shift(random), p.y + shift(random)},
                        Point{q.x + shift(random), q.y + shift(random)}, Point{BREAK_MARK, 0}});
        }
    }

    // Entries of each point array.
    int32_t Count() const { return static_cast<int32_t>(src.size()); }

    std::vector<Point> src; // start points
    std::vector<Point> dst; // final points
};

// A header over a bench image, as the working set's dissolve headers are made.
inline IplHeaderPtr BenchHeader(const BenchImage& owned) {
    IplHeaderPtr header(iplCreateImageHeader(3, 0, kIplDepth8U, "RGB", "BGR", kIplDataOrderPixel,
                                             kIplOriginBottomLeft, kIplAlignDword,
                                             owned.image.width, owned.image.height));
    header->pixels = owned.image.bits;
    header->pixelsOrigin = owned.image.bits;
    return header;
}

// Benchmarks take the path as their last argument: 0 the reference kernel, 1 the fast one.
inline constexpr int64_t kReference = 0;
inline constexpr int64_t kFast = 1;

// A thread that keeps one processor busy while alive, as another busy program on the machine
// would.
class Spinner {
public:
    // Starts spinning when on.
    explicit Spinner(bool on) {
        if (on) {
            thread_ = std::thread([this] {
                while (!stop_.load(std::memory_order_relaxed)) {
                }
            });
        }
    }
    Spinner(const Spinner&) = delete;
    Spinner& operator=(const Spinner&) = delete;
    ~Spinner() {
        stop_.store(true);
        if (thread_.joinable()) {
            thread_.join();
        }
    }

private:
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

// The conditions of one case, from the two arguments after its path: the default thread
// count (0) or one thread (1), and quiet (0) or beside a Spinner (1). Sets the default thread
// count the fast kernels take while alive.
class BenchConditions {
public:
    // Conditions of the case that state runs, whose path is argument pathArgument.
    BenchConditions(const benchmark::State& state, int32_t pathArgument)
        : oneThread_(state.range(pathArgument + 1) == 1),
          spinner_(state.range(pathArgument + 2) == 1), defaultThreads_(omp_get_max_threads()) {
        if (oneThread_) {
            omp_set_num_threads(1);
        }
    }
    BenchConditions(const BenchConditions&) = delete;
    BenchConditions& operator=(const BenchConditions&) = delete;
    ~BenchConditions() { omp_set_num_threads(defaultThreads_); }

private:
    bool oneThread_;
    Spinner spinner_;
    int32_t defaultThreads_;
};

// Shows the path and its thread count beside the timing; the fast kernels take one thread
// below their parallel work (work < minimumWork).
inline void ReportPath(benchmark::State& state, bool fast, int64_t work, int64_t minimumWork) {
    state.counters["threads"] =
        fast ? ScheduleThreads(ForWork(KernelSchedule{}, work, minimumWork)) : 1;
    state.SetLabel(fast ? "fast" : "reference");
}

// Adds the cases of one size to a benchmark whose arguments end in the path, the thread
// count and the spinner: the reference on one thread and the fast path on the default
// thread count and on one, each quiet and beside a spinner.
inline void AddPathCases(benchmark::internal::Benchmark* bench, std::vector<int64_t> size) {
    for (const int64_t spinner : {0, 1}) {
        std::vector<int64_t> reference = size;
        reference.insert(reference.end(), {kReference, 1, spinner});
        bench->Args(reference);
        for (const int64_t oneThread : {0, 1}) {
            std::vector<int64_t> fast = size;
            fast.insert(fast.end(), {kFast, oneThread, spinner});
            bench->Args(fast);
        }
    }
}

// Sets TWEENKIT_REFERENCE for the sequences while alive: the reference path or the fast one.
class SequencePath {
public:
    // Forces the reference kernels unless fast.
    explicit SequencePath(bool fast) {
        if (fast) {
            unsetenv("TWEENKIT_REFERENCE");
        } else {
            setenv("TWEENKIT_REFERENCE", "1", 1);
        }
    }
    SequencePath(const SequencePath&) = delete;
    SequencePath& operator=(const SequencePath&) = delete;
    ~SequencePath() { unsetenv("TWEENKIT_REFERENCE"); }
};

// The four working images of a run with the two dissolve headers.
struct BenchMorphImages {
    // Images of width x height pixels of noise.
    BenchMorphImages(int32_t width, int32_t height)
        : src(width, height, 1), dst(width, height, 2), frame(width, height, 3),
          warpedDst(width, height, 4), frameIpl(BenchHeader(frame)),
          warpedDstIpl(BenchHeader(warpedDst)) {}

    // The description the sequences take.
    MorphImages Images() const {
        return {src.image,       dst.image,      frame.image,
                warpedDst.image, frameIpl.get(), warpedDstIpl.get()};
    }

    BenchImage src;
    BenchImage dst;
    BenchImage frame;
    BenchImage warpedDst;
    IplHeaderPtr frameIpl;
    IplHeaderPtr warpedDstIpl;
};
