#pragma once

#include <cstddef>
#include <cstdint>

#include "IplHeader.hpp"

// The parts of iplAlphaCompositeC that its reference and its fast schedule share.

// True when the composite can run: kIplCompositePlus without premultiplied alpha or division,
// alphas in 0..255, and three headers of one 8-bit layout with pixels attached.
bool CompositeSupported(const IplHeader* srcA, const IplHeader* srcB, const IplHeader* dst,
                        int compositeType, int alphaA, int alphaB, bool premulAlpha,
                        bool divideMode);

// One row of the PLUS composite, byte by byte: out[i] = min(255, (alphaA * a[i] + alphaB * b[i]
// + 127) / 255) for i < count. out may be a or b.
inline void CompositePlusBytes(const uint8_t* a, const uint8_t* b, uint8_t* out,
                               std::ptrdiff_t count, int alphaA, int alphaB) {
    for (std::ptrdiff_t i = 0; i < count; ++i) {
        const int sum = alphaA * a[i] + alphaB * b[i];
        const int value = (sum + 127) / 255;
        out[i] = static_cast<uint8_t>(value > 255 ? 255 : value);
    }
}
