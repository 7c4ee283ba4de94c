#include "IplAlphaComposite.hpp"

#include <cstddef>
#include <cstdint>

namespace {

// True when the header has pixels laid out like the reference header's.
bool Matches(const IplHeader* header, const IplHeader& reference) {
    return header != nullptr && header->pixels != nullptr && header->width == reference.width &&
           header->height == reference.height && header->channels == reference.channels &&
           header->depth == reference.depth && header->rowStride == reference.rowStride;
}

} // namespace

bool iplAlphaCompositeC(const IplHeader* srcA, const IplHeader* srcB, IplHeader* dst,
                        int compositeType, int alphaA, int alphaB, bool premulAlpha,
                        bool divideMode) {
    const bool supported = compositeType == kIplCompositePlus && !premulAlpha && !divideMode &&
                           alphaA >= 0 && alphaA <= 255 && alphaB >= 0 && alphaB <= 255;
    if (!supported || dst == nullptr || dst->depth != kIplDepth8U) {
        return false;
    }
    if (!Matches(dst, *dst) || !Matches(srcA, *dst) || !Matches(srcB, *dst)) {
        return false;
    }

    const std::ptrdiff_t rowBytes = static_cast<std::ptrdiff_t>(dst->channels) * dst->width;
    for (int row = 0; row < dst->height; ++row) {
        const std::ptrdiff_t offset = static_cast<std::ptrdiff_t>(row) * dst->rowStride;
        const uint8_t* a = srcA->pixels + offset;
        const uint8_t* b = srcB->pixels + offset;
        uint8_t* out = dst->pixels + offset;
        for (std::ptrdiff_t i = 0; i < rowBytes; ++i) {
            const int sum = alphaA * a[i] + alphaB * b[i];
            const int value = (sum + 127) / 255;
            out[i] = static_cast<uint8_t>(value > 255 ? 255 : value);
        }
    }
    return true;
}
