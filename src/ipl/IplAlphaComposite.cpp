#include "IplAlphaComposite.hpp"

#include <cstddef>
#include <cstdint>

#include "CompositeRows.hpp"

namespace {

// True when the header has pixels laid out like the reference header's.
bool Matches(const IplHeader* header, const IplHeader& reference) {
    return header != nullptr && header->pixels != nullptr && header->width == reference.width &&
           header->height == reference.height && header->channels == reference.channels &&
           header->depth == reference.depth && header->rowStride == reference.rowStride;
}

} // namespace

bool CompositeSupported(const IplHeader* srcA, const IplHeader* srcB, const IplHeader* dst,
                        int compositeType, int alphaA, int alphaB, bool premulAlpha,
                        bool divideMode) {
    const bool supported = compositeType == kIplCompositePlus && !premulAlpha && !divideMode &&
                           alphaA >= 0 && alphaA <= 255 && alphaB >= 0 && alphaB <= 255;
    if (!supported || dst == nullptr || dst->depth != kIplDepth8U) {
        return false;
    }
    return Matches(dst, *dst) && Matches(srcA, *dst) && Matches(srcB, *dst);
}

bool iplAlphaCompositeC(const IplHeader* srcA, const IplHeader* srcB, IplHeader* dst,
                        int compositeType, int alphaA, int alphaB, bool premulAlpha,
                        bool divideMode) {
    if (!CompositeSupported(srcA, srcB, dst, compositeType, alphaA, alphaB, premulAlpha,
                            divideMode)) {
        return false;
    }
    const std::ptrdiff_t rowBytes = static_cast<std::ptrdiff_t>(dst->channels) * dst->width;
    for (int row = 0; row < dst->height; ++row) {
        const std::ptrdiff_t offset = static_cast<std::ptrdiff_t>(row) * dst->rowStride;
        CompositePlusBytes(srcA->pixels + offset, srcB->pixels + offset, dst->pixels + offset,
                           rowBytes, alphaA, alphaB);
    }
    return true;
}
