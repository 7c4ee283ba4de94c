#include "VipsFrames.hpp"

#include "Bitmap24.hpp"
#include "MediaError.hpp"

#include <memory>

namespace {

uint8_t OverWhite(uint8_t c, uint8_t a) {
    return static_cast<uint8_t>((c * a + 255 * (255 - a) + 127) / 255);
}

// The image as sRGB with 3 or 4 (alpha) 8-bit bands.
VipsRef ToSrgb8(VipsImage* in) {
    VipsRef srgb;
    const bool profiled = vips_image_get_typeof(in, VIPS_META_ICC_NAME) != 0;
    const bool cmyk = vips_image_guess_interpretation(in) == VIPS_INTERPRETATION_CMYK;
    const int failed = profiled || cmyk
                           ? vips_icc_transform(in, srgb.out(), "srgb", "embedded", TRUE, "intent",
                                                VIPS_INTENT_RELATIVE, "depth", 8, nullptr)
                           : vips_colourspace(in, srgb.out(), VIPS_INTERPRETATION_sRGB, nullptr);
    if (failed)
        throw MediaError("cannot convert the colours: " + VipsReason());
    VipsRef bytes;
    if (vips_cast_uchar(srgb.get(), bytes.out(), nullptr))
        throw MediaError("cannot convert the samples: " + VipsReason());
    if (bytes.get()->Bands != 3 && bytes.get()->Bands != 4)
        throw MediaError("unsupported channel layout (" + std::to_string(bytes.get()->Bands) +
                         " bands)");
    return bytes;
}

} // namespace

TBitmap FrameFromVips(VipsImage* image) {
    VipsRef rgb = ToSrgb8(image);
    size_t size = 0;
    std::unique_ptr<uint8_t, void (*)(void*)> pixels(
        static_cast<uint8_t*>(vips_image_write_to_memory(rgb.get(), &size)), g_free);
    if (!pixels)
        throw MediaError("corrupt or truncated image: " + VipsReason());
    const int w = vips_image_get_width(rgb.get()), h = vips_image_get_height(rgb.get());
    const int bands = rgb.get()->Bands;
    TBitmap frame(w, h, pf24bit);
    const uint8_t* from = pixels.get();
    for (int y = 0; y < h; ++y) {
        uint8_t* to = frame.ScanLine(y);
        for (int x = 0; x < w; ++x, from += bands, to += 3) {
            const uint8_t a = bands == 4 ? from[3] : 255;
            to[0] = OverWhite(from[2], a);
            to[1] = OverWhite(from[1], a);
            to[2] = OverWhite(from[0], a);
        }
    }
    return frame;
}

void CopyRgbRows(const TBitmap& frame, uint8_t* out) {
    TBitmap scratch;
    const TBitmap* source = &As24Bit(frame, scratch);
    for (int y = 0; y < source->Height(); ++y) {
        const uint8_t* from = source->ScanLine(y);
        for (int x = 0; x < source->Width(); ++x, from += 3, out += 3) {
            out[0] = from[2];
            out[1] = from[1];
            out[2] = from[0];
        }
    }
}

VipsRef VipsFromFrame(const TBitmap& frame) {
    const size_t bytes = size_t{3} * frame.Width() * frame.Height();
    std::unique_ptr<uint8_t[]> rgb(new uint8_t[bytes]);
    CopyRgbRows(frame, rgb.get());
    VipsRef image(vips_image_new_from_memory_copy(rgb.get(), bytes, frame.Width(), frame.Height(),
                                                  3, VIPS_FORMAT_UCHAR));
    if (!image.get())
        throw MediaError("cannot hand the frame to the image library: " + VipsReason());
    image.get()->Type = VIPS_INTERPRETATION_sRGB;
    return image;
}
