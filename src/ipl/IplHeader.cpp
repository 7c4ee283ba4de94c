#include "IplHeader.hpp"

#include <cstddef>
#include <cstring>
#include <limits>
#include <new>

namespace {

// Copies up to three characters of a four-character name field, always terminated.
void CopyName(char (&field)[4], const char* name) {
    std::memset(field, 0, sizeof field);
    for (std::size_t i = 0; name != nullptr && i + 1 < sizeof field && name[i] != '\0'; ++i) {
        field[i] = name[i];
    }
}

} // namespace

IplHeader* iplCreateImageHeader(int channels, int alphaChannel, int depth, const char* colorModel,
                                const char* channelSeq, int dataOrder, int origin, int align,
                                int width, int height) {
    const bool supported = channels == 3 && alphaChannel == 0 && depth == kIplDepth8U &&
                           dataOrder == kIplDataOrderPixel &&
                           (origin == kIplOriginTopLeft || origin == kIplOriginBottomLeft) &&
                           (align == 4 || align == 8) && width > 0 && height > 0;
    if (!supported) {
        return nullptr;
    }
    const int64_t rowBytes = static_cast<int64_t>(channels) * width;
    const int64_t rowStride = (rowBytes + align - 1) / align * align;
    if (rowStride > std::numeric_limits<int>::max()) {
        return nullptr;
    }

    auto* header = new (std::nothrow) IplHeader{};
    if (header == nullptr) {
        return nullptr;
    }
    header->channels = channels;
    header->alphaChannel = alphaChannel;
    header->depth = depth;
    CopyName(header->colorModel, colorModel);
    CopyName(header->channelSeq, channelSeq);
    header->dataOrder = dataOrder;
    header->origin = origin;
    header->align = align;
    header->width = width;
    header->height = height;
    header->rowStride = static_cast<int>(rowStride);
    header->imageSize = rowStride * height;
    return header;
}

void iplDeallocate(IplHeader* header, int flag) {
    if (flag == kIplFreeHeader) {
        delete header;
    }
}
