#include "ResamplePixelLine.hpp"

#include "Resample1D.hpp"
#include "RunFailure.hpp"

// The baseline copy passes 32-byte vectors between inlined helpers of this file only; the
// warning about their calling convention without AVX concerns no caller outside.
#pragma GCC diagnostic ignored "-Wpsabi"

namespace {

// The three bytes of a pixel, and a spare lane.
using Pixel = double __attribute__((vector_size(4 * sizeof(double))));

// The inverse map of Resample1D, into the buffers: inpos[x] is the source position that lands
// on output position x. A flat stretch of the map fails before any output is written.
void InverseMap(const double* map, int32_t length, ResampleBuffers& buffers) {
    const int32_t last = length - 1;
    double* inpos = buffers.inpos.data();
    int32_t u = 0;
    for (int32_t x = 0; x < length; ++x) {
        while (u < last && map[u + 1] < x) {
            ++u;
        }
        const double span = map[u + 1] - map[u];
        RequireNonZeroDivisor(span, "resampler: the map has a flat stretch");
        inpos[x] = u + (x - map[u]) / span;
    }
    inpos[length] = length;
}

// The walk of the resampler, the three bytes one after the other in scalars.
void WalkScalar(const uint8_t* src, uint8_t* dst, int32_t length, std::ptrdiff_t step,
                const double* inpos) {
    const int32_t last = length - 1;
    const auto pixel = [&](int32_t k) {
        return src + static_cast<std::ptrdiff_t>(k < last ? k : last) * step;
    };
    int32_t fetch = 2;
    double inseg = 1.0;       // part of the current source pixel not yet consumed
    double outseg = inpos[1]; // source extent the current output pixel still needs
    double size = inpos[1];   // whole source extent of the current output pixel
    double acc[3] = {};
    double cur[3];
    double nxt[3];
    for (int32_t b = 0; b < 3; ++b) {
        cur[b] = pixel(0)[b];
        nxt[b] = pixel(1)[b];
    }
    uint8_t* out = dst;
    for (int32_t k = 1;;) {
        double val[3];
        for (int32_t b = 0; b < 3; ++b) {
            val[b] = inseg * cur[b] + (1.0 - inseg) * nxt[b];
        }
        if (inseg < outseg) {
            const uint8_t* next = pixel(fetch);
            for (int32_t b = 0; b < 3; ++b) {
                acc[b] = acc[b] + val[b] * inseg;
                cur[b] = nxt[b];
                nxt[b] = next[b];
            }
            outseg = outseg - inseg;
            inseg = 1.0;
            if (fetch < length) {
                ++fetch;
            }
        } else {
            RequireNonZeroDivisor(size, "resampler: an output sample has no source extent");
            for (int32_t b = 0; b < 3; ++b) {
                out[b] = ResampledByte((acc[b] + val[b] * outseg) / size);
                acc[b] = 0.0;
            }
            if (k == length) {
                return;
            }
            out += step;
            inseg = inseg - outseg;
            outseg = inpos[k + 1] - inpos[k];
            size = outseg;
            ++k;
        }
    }
}

} // namespace

namespace baseline {
namespace {
#include "ResampleWalkLanes.inc"
} // namespace
} // namespace baseline

#if defined(__x86_64__) || defined(__i386__)
#pragma GCC push_options
#pragma GCC target("avx2")
namespace avx2 {
namespace {
#include "ResampleWalkLanes.inc"
} // namespace
} // namespace avx2
#pragma GCC pop_options
#endif

void ResamplePixelLine(const uint8_t* src, uint8_t* dst, int32_t length, std::ptrdiff_t step,
                       const double* map, ResampleBuffers& buffers,
                       const KernelSchedule& schedule) {
    if (length <= 0) {
        return;
    }
    if (length == 1) {
        dst[0] = src[0];
        dst[1] = src[1];
        dst[2] = src[2];
        return;
    }
    InverseMap(map, length, buffers);
    const double* inpos = buffers.inpos.data();
    if (!schedule.simd) {
        WalkScalar(src, dst, length, step, inpos);
        return;
    }
#if defined(__x86_64__) || defined(__i386__)
    if (UseAvx2(schedule)) {
        avx2::WalkLanes(src, dst, length, step, inpos);
        return;
    }
#endif
    baseline::WalkLanes(src, dst, length, step, inpos);
}
