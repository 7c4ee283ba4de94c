#include "FieldWarpFast.hpp"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#endif

#include "FieldWarpLines.hpp"
#include "ParallelFor.hpp"
#include "SamplePixelFast.hpp"

// The baseline and AVX2 copies pass wide vectors between inlined helpers of this file only; the
// warning about their calling convention without AVX concerns no caller outside.
#pragma GCC diagnostic ignored "-Wpsabi"

namespace {

constexpr int64_t kRowsPerChunk = 2;    // rows per work item
constexpr double kExactLimit = 1 << 24; // line ends and image sides up to here run in lanes

constexpr int64_t kAbsBits = 0x7FFFFFFFFFFFFFFF; // every bit but the sign

// What every row of one warp reads.
struct FieldWarpJob {
    const WorkImage& image;
    const WorkImage& out;
    const FieldLineTerms* lines;
    int32_t count;
};

} // namespace

// Four pixels per vector for the baseline and AVX2, eight for AVX-512.
namespace baseline {
namespace {
constexpr int32_t kLanes = 4;
using Lanes = double __attribute__((vector_size(kLanes * sizeof(double))));
using Mask = int64_t __attribute__((vector_size(kLanes * sizeof(int64_t))));
#define TWEENKIT_LANES_ISA 0
#include "FieldWarpLanes.inc"
#undef TWEENKIT_LANES_ISA
} // namespace
} // namespace baseline

#if defined(__x86_64__) || defined(__i386__)
#pragma GCC push_options
#pragma GCC target("avx2")
namespace avx2 {
namespace {
constexpr int32_t kLanes = 4;
using Lanes = double __attribute__((vector_size(kLanes * sizeof(double))));
using Mask = int64_t __attribute__((vector_size(kLanes * sizeof(int64_t))));
#define TWEENKIT_LANES_ISA 2
#include "FieldWarpLanes.inc"
#undef TWEENKIT_LANES_ISA
} // namespace
} // namespace avx2
#pragma GCC pop_options

#pragma GCC push_options
#pragma GCC target("avx512f")
// GCC 12's own _mm512_sqrt_pd trips its uninitialised-value warning.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
namespace avx512 {
namespace {
constexpr int32_t kLanes = 8;
using Lanes = double __attribute__((vector_size(kLanes * sizeof(double))));
using Mask = int64_t __attribute__((vector_size(kLanes * sizeof(int64_t))));
#define TWEENKIT_LANES_ISA 512
#include "FieldWarpLanes.inc"
#undef TWEENKIT_LANES_ISA
} // namespace
} // namespace avx512
#pragma GCC diagnostic pop
#pragma GCC pop_options
#endif

namespace {

// The terms of every moved line beside its line of the sampled image, into terms.
void TermsOf(const MovedLines& moved, const FieldLineSet& fromLines, FieldLineTerms* terms) {
    for (int32_t k = 0; k < moved.lines.count; ++k) {
        const FieldLine& line = moved.lines.lines[k];
        const FieldLine& from = fromLines.lines[k];
        terms[k] = {static_cast<double>(line.px),
                    static_cast<double>(line.py),
                    static_cast<double>(line.qx),
                    static_cast<double>(line.qy),
                    static_cast<double>(line.dx),
                    static_cast<double>(line.dy),
                    static_cast<double>(line.lenSq),
                    line.len,
                    static_cast<double>(from.px),
                    static_cast<double>(from.py),
                    static_cast<double>(from.dx),
                    static_cast<double>(from.dy),
                    from.len,
                    moved.lengthWeight[k]};
    }
}

// True when the lanes' doubles hold the reference's integer products exactly: with every
// coordinate and side within 2^24, the differences stay within 2^25 and their products and
// sums within 2^51.
bool LanesAreExact(const MovedLines& moved, const WorkImage& image) {
    if (image.width > kExactLimit || image.height > kExactLimit) {
        return false;
    }
    for (int32_t k = 0; k < moved.lines.count; ++k) {
        const FieldLine& line = moved.lines.lines[k];
        for (const int32_t c : {line.px, line.py, line.qx, line.qy}) {
            if (std::abs(static_cast<double>(c)) > kExactLimit) {
                return false;
            }
        }
    }
    return true;
}

// Writes the pixels of memory row y of out one by one, in the reference's arithmetic.
void WarpRowPixels(const WorkImage& image, const WorkImage& out, const MovedLines& moved,
                   const FieldLineSet& fromLines, int32_t y) {
    uint8_t* pixel = RowFromBottom(out, y);
    for (int32_t x = 0; x < image.width; ++x) {
        double sx = 0.0;
        double sy = 0.0;
        FieldSourcePosition(moved, fromLines, x, y, sx, sy);
        SamplePixelFast(image, pixel, sx, sy);
        pixel += 3;
    }
}

} // namespace

void FieldWarpFast(const WorkImage& image, const WorkImage& out, const FieldLineSet& fromLines,
                   const FieldLineSet& toLines, double t, const KernelSchedule& schedule) {
    FieldWarpScratch scratch;
    FieldWarpFast(image, out, fromLines, toLines, t, schedule, scratch);
}

void FieldWarpFast(const WorkImage& image, const WorkImage& out, const FieldLineSet& fromLines,
                   const FieldLineSet& toLines, double t, const KernelSchedule& requested,
                   FieldWarpScratch& scratch) {
    RequireFieldWarpInputs(image, out, fromLines, toLines);
    MovedLines moved;
    MoveFieldLines(fromLines, toLines, t, moved);
    const KernelSchedule schedule = ForWork(
        requested, int64_t{image.width} * image.height * moved.lines.count, kFieldWarpParallelWork);

    if (!schedule.simd || !LanesAreExact(moved, image)) {
        ParallelFor(image.height, schedule, kRowsPerChunk, [&] {
            return [&](int64_t y) {
                WarpRowPixels(image, out, moved, fromLines, static_cast<int32_t>(y));
            };
        });
        return;
    }
    if (scratch.terms.size() < static_cast<std::size_t>(moved.lines.count)) {
        scratch.terms.resize(static_cast<std::size_t>(moved.lines.count));
    }
    TermsOf(moved, fromLines, scratch.terms.data());
    const FieldWarpJob job{image, out, scratch.terms.data(), moved.lines.count};
    void (*warpRow)(const FieldWarpJob&, int32_t) = baseline::WarpRowLanes;
#if defined(__x86_64__) || defined(__i386__)
    if (UseAvx512(schedule)) {
        warpRow = avx512::WarpRowLanes;
    } else if (UseAvx2(schedule)) {
        warpRow = avx2::WarpRowLanes;
    }
#endif
    ParallelFor(image.height, schedule, kRowsPerChunk,
                [&] { return [&](int64_t y) { warpRow(job, static_cast<int32_t>(y)); }; });
}
