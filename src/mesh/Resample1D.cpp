#include "Resample1D.hpp"

#include <vector>

#include "RunFailure.hpp"

void Resample1D(const uint8_t* src, uint8_t* dst, int32_t length, std::ptrdiff_t step,
                const double* map) {
    if (length <= 0) {
        return;
    }
    if (length == 1) {
        *dst = *src;
        return;
    }
    const int32_t last = length - 1;

    // Inverse map: inpos[x] is the source position that lands on output position x.
    std::vector<double> inpos(static_cast<std::size_t>(length) + 1);
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

    // Sample k of the line; past the end the last sample stands in.
    int32_t fetch = 2;
    const auto sample = [&](int32_t k) {
        return static_cast<double>(src[static_cast<std::ptrdiff_t>(k < last ? k : last) * step]);
    };

    double inseg = 1.0;       // part of the current source sample not yet consumed
    double outseg = inpos[1]; // source extent the current output sample still needs
    double size = inpos[1];   // whole source extent of the current output sample
    double acc = 0.0;
    double cur = sample(0);
    double nxt = sample(1);
    uint8_t* out = dst;
    for (int32_t k = 1;;) {
        const double val = inseg * cur + (1.0 - inseg) * nxt;
        if (inseg < outseg) {
            // The current source sample ends inside the current output sample.
            acc = acc + val * inseg;
            outseg = outseg - inseg;
            inseg = 1.0;
            cur = nxt;
            nxt = sample(fetch);
            if (fetch < length) {
                ++fetch;
            }
        } else {
            // The current output sample ends inside the current source sample.
            acc = acc + val * outseg;
            RequireNonZeroDivisor(size, "resampler: an output sample has no source extent");
            acc = acc / size;
            *out = ResampledByte(acc);
            if (k == length) {
                return;
            }
            out += step;
            inseg = inseg - outseg;
            outseg = inpos[k + 1] - inpos[k];
            size = outseg;
            acc = 0.0;
            ++k;
        }
    }
}
