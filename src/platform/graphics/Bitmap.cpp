#include "graphics/Bitmap.hpp"

#include "graphics/PixelAccess.hpp"

#include <algorithm>
#include <limits>
#include <stdexcept>

int64_t DibRowStride(int64_t width, TPixelFormat pf) {
    int64_t bits = pf == pf1bit ? width : width * (pf == pf24bit ? 24 : 32);
    return (bits + 31) / 32 * 4;
}

TBitmap::TBitmap() = default;

TBitmap::TBitmap(int w, int h, TPixelFormat pf) {
    Allocate(w, h, pf);
}

TBitmap::TBitmap(const TBitmap& other)
    : width_(other.width_), height_(other.height_), stride_(other.stride_), format_(other.format_),
      bits_(other.bits_) {}

TBitmap::TBitmap(TBitmap&& other) noexcept
    : width_(other.width_), height_(other.height_), stride_(other.stride_), format_(other.format_),
      bits_(std::move(other.bits_)) {
    other.width_ = other.height_ = other.stride_ = 0;
    other.bits_.clear();
}

TBitmap& TBitmap::operator=(const TBitmap& other) {
    if (this != &other) {
        bits_ = other.bits_;
        width_ = other.width_;
        height_ = other.height_;
        stride_ = other.stride_;
        format_ = other.format_;
    }
    return *this;
}

TBitmap& TBitmap::operator=(TBitmap&& other) noexcept {
    if (this != &other) {
        bits_ = std::move(other.bits_);
        width_ = other.width_;
        height_ = other.height_;
        stride_ = other.stride_;
        format_ = other.format_;
        other.width_ = other.height_ = other.stride_ = 0;
        other.bits_.clear();
    }
    return *this;
}

// Out of line: the canvas is only a forward declaration in the header.
TBitmap::~TBitmap() = default;

void TBitmap::Allocate(int w, int h, TPixelFormat pf) {
    w = std::max(w, 0);
    h = std::max(h, 0);
    int64_t stride = DibRowStride(w, pf);
    // Section sizes are 32-bit quantities on the desktop; refuse anything larger.
    if (stride * h > std::numeric_limits<int32_t>::max())
        throw std::length_error("bitmap larger than 2 GiB");
    std::vector<uint8_t> bits(static_cast<size_t>(stride * h), 0);
    width_ = w;
    height_ = h;
    stride_ = static_cast<int>(stride);
    format_ = pf;
    bits_ = std::move(bits);
    for (int y = 0; y < h; ++y) {
        uint8_t* row = pixel_access::Row(*this, y);
        for (int x = 0; x < w; ++x)
            pixel_access::Write(row, x, pf, 0xFFFFFF);
    }
}

void TBitmap::SetSize(int w, int h) {
    w = std::max(w, 0);
    h = std::max(h, 0);
    if (w == width_ && h == height_)
        return;
    TBitmap resized(w, h, format_);
    int keepW = std::min(w, width_);
    int keepH = std::min(h, height_);
    for (int y = 0; y < keepH; ++y) {
        const uint8_t* from = pixel_access::Row(*this, y);
        uint8_t* to = pixel_access::Row(resized, y);
        for (int x = 0; x < keepW; ++x)
            pixel_access::Write(to, x, format_, pixel_access::Read(from, x, format_));
    }
    *this = std::move(resized);
}

void TBitmap::SetPixelFormat(TPixelFormat pf) {
    if (pf == format_)
        return;
    TBitmap converted(width_, height_, pf);
    for (int y = 0; y < height_; ++y) {
        const uint8_t* from = pixel_access::Row(*this, y);
        uint8_t* to = pixel_access::Row(converted, y);
        for (int x = 0; x < width_; ++x)
            pixel_access::Write(to, x, pf, pixel_access::Read(from, x, format_));
    }
    *this = std::move(converted);
}

uint8_t* TBitmap::ScanLine(int y) {
    return const_cast<uint8_t*>(static_cast<const TBitmap*>(this)->ScanLine(y));
}

const uint8_t* TBitmap::ScanLine(int y) const {
    if (y < 0 || y >= height_)
        throw std::out_of_range("scan line index out of range");
    return pixel_access::Row(*this, y);
}

TColor TBitmap::Pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_)
        return clNone;
    return static_cast<TColor>(pixel_access::Read(pixel_access::Row(*this, y), x, format_));
}

void TBitmap::SetPixel(int x, int y, TColor color) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_)
        return;
    pixel_access::Write(pixel_access::Row(*this, y), x, format_, ColorToRGB(color));
}

TCanvas& TBitmap::Canvas() {
    if (!canvas_)
        canvas_ = std::make_unique<TCanvas>(*this);
    return *canvas_;
}

bool GetDibSection(HBITMAP bitmap, DIBSECTION* out) {
    if (!bitmap || !out || bitmap->Empty())
        return false;
    static constexpr uint16_t kBitCount[] = {1, 24, 32};
    out->BitCount = kBitCount[bitmap->PixelFormat()];
    out->Width = bitmap->Width();
    out->Height = bitmap->Height();
    out->RowStride = bitmap->RowStride();
    out->Bits = bitmap->Bits();
    return true;
}
