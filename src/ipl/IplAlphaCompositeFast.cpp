#include "IplAlphaCompositeFast.hpp"

#include <cstddef>
#include <cstdint>

#include "CompositeRows.hpp"
#include "ParallelFor.hpp"

namespace {

// Rows per work item: enough bytes that a thread's share is not all hand-over.
constexpr int64_t kRowsPerChunk = 8;

// The row composite in integer vector lanes; integer arithmetic gives the same bytes in any
// lane width. The body is inlined into one baseline and one AVX2 copy.
[[gnu::always_inline]] inline void VectorRow(const uint8_t* a, const uint8_t* b, uint8_t* out,
                                             std::ptrdiff_t count, int alphaA, int alphaB) {
#pragma omp simd
    for (std::ptrdiff_t i = 0; i < count; ++i) {
        const int sum = alphaA * a[i] + alphaB * b[i];
        const int value = (sum + 127) / 255;
        out[i] = static_cast<uint8_t>(value > 255 ? 255 : value);
    }
}

void VectorRowBaseline(const uint8_t* a, const uint8_t* b, uint8_t* out, std::ptrdiff_t count,
                       int alphaA, int alphaB) {
    VectorRow(a, b, out, count, alphaA, alphaB);
}

#if defined(__x86_64__) || defined(__i386__)
[[gnu::target("avx2")]] void VectorRowAvx2(const uint8_t* a, const uint8_t* b, uint8_t* out,
                                           std::ptrdiff_t count, int alphaA, int alphaB) {
    VectorRow(a, b, out, count, alphaA, alphaB);
}
#endif

using RowFunction = void (*)(const uint8_t*, const uint8_t*, uint8_t*, std::ptrdiff_t, int, int);

// The row code the schedule asks for.
RowFunction ChooseRow(const KernelSchedule& schedule) {
    if (!schedule.simd) {
        return CompositePlusBytes;
    }
#if defined(__x86_64__) || defined(__i386__)
    if (UseAvx2(schedule)) {
        return VectorRowAvx2;
    }
#endif
    return VectorRowBaseline;
}

} // namespace

bool iplAlphaCompositeCFast(const IplHeader* srcA, const IplHeader* srcB, IplHeader* dst,
                            int compositeType, int alphaA, int alphaB, bool premulAlpha,
                            bool divideMode, const KernelSchedule& requested) {
    if (!CompositeSupported(srcA, srcB, dst, compositeType, alphaA, alphaB, premulAlpha,
                            divideMode)) {
        return false;
    }
    const std::ptrdiff_t rowBytes = static_cast<std::ptrdiff_t>(dst->channels) * dst->width;
    const KernelSchedule schedule =
        ForWork(requested, int64_t{rowBytes} * dst->height, kCompositeParallelBytes);
    const RowFunction row = ChooseRow(schedule);
    const std::ptrdiff_t stride = dst->rowStride;
    ParallelFor(dst->height, schedule, kRowsPerChunk, [&] {
        return [&](int64_t y) {
            const std::ptrdiff_t offset = static_cast<std::ptrdiff_t>(y) * stride;
            row(srcA->pixels + offset, srcB->pixels + offset, dst->pixels + offset, rowBytes,
                alphaA, alphaB);
        };
    });
    return true;
}
