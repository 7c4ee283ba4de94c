#include "DibAccess.hpp"

#include "IplHeader.hpp"

DibInfo GetDibInfo(HBITMAP bitmap, DIBSECTION& scratch) {
    scratch = DIBSECTION{};
    DibInfo info;
    if (!GetDibSection(bitmap, &scratch)) {
        return info;
    }
    info.BitCount = scratch.BitCount;
    info.Width = scratch.Width;
    info.Height = scratch.Height;
    info.Bits = static_cast<uint8_t*>(scratch.Bits);
    info.BitsOrigin = info.Bits;
    info.Is24Bit = scratch.BitCount == 24;
    return info;
}

IplHeader* MakeIplImage(int width, int height) {
    return iplCreateImageHeader(3, 0, kIplDepth8U, "RGB", "BGR", kIplDataOrderPixel,
                                kIplOriginBottomLeft, kIplAlignDword, width, height);
}
