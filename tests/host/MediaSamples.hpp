// Test inputs made with the libraries themselves: photos with EXIF orientations, CMYK and
// 16-bit images, animations and videos with known frames and delays.
#pragma once

#include "MediaError.hpp"
#include "SequenceWriter.hpp"
#include "VipsFrames.hpp"
#include "VipsLibrary.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace media_samples {

// A w x h image of bands 8- or 16-bit samples, each pixel the same values.
inline VipsRef Flat(int w, int h, std::vector<double> values, VipsBandFormat format,
                    VipsInterpretation interpretation) {
    StartVips();
    VipsRef black, filled, cast, tagged;
    EXPECT_EQ(vips_black(black.out(), w, h, "bands", static_cast<int>(values.size()), nullptr), 0);
    std::vector<double> ones(values.size(), 1.0);
    EXPECT_EQ(vips_linear(black.get(), filled.out(), ones.data(), values.data(),
                          static_cast<int>(values.size()), nullptr),
              0);
    EXPECT_EQ(vips_cast(filled.get(), cast.out(), format, nullptr), 0);
    EXPECT_EQ(vips_copy(cast.get(), tagged.out(), "interpretation", interpretation, nullptr), 0);
    return tagged;
}

// A 64 x 32 RGB picture whose quadrants are red, green (top) and blue, white (bottom).
inline VipsRef Quadrants() {
    TBitmap image(64, 32, pf24bit);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 64; ++x)
            image.SetPixel(x, y, y < 16 ? (x < 32 ? clRed : clLime) : (x < 32 ? clBlue : clWhite));
    return VipsFromFrame(image);
}

// A flat frame of one colour.
inline TBitmap FlatFrame(int w, int h, TColor colour) {
    TBitmap frame(w, h, pf24bit);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            frame.SetPixel(x, y, colour);
    return frame;
}

// Writes frames with their delays through the host's own writer.
inline void WriteSequence(const std::string& path, OutputFormat format,
                          const std::vector<TBitmap>& frames, const std::vector<int>& delays) {
    auto writer = OpenSequenceWriter(path, format);
    for (size_t i = 0; i < frames.size(); ++i)
        writer->Add(frames[i], delays[i]);
    writer->Finish();
}

// Largest difference of the red, green and blue parts of two colours.
inline int ColourDistance(TColor a, TColor b) {
    int most = 0;
    for (int shift : {0, 8, 16})
        most = std::max(most, std::abs(int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF)));
    return most;
}

} // namespace media_samples
