// Still images as cameras, phones and other programs store them open upright, in sRGB and
// flattened to 24 bits one documented way.
#include "MediaSamples.hpp"
#include "SequenceFiles.hpp"

#include "Application.hpp"
#include "backends/headless/HeadlessBackend.hpp"
#include "graphics/ImageFile.hpp"

#include <cstring>

#include <filesystem>

namespace fs = std::filesystem;
using namespace media_samples;

namespace {

class StillImages : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::path(::testing::TempDir()) /
               ("stills-" +
                std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }
    std::string Path(const std::string& name) const { return (dir_ / name).string(); }

    // The single frame the host reads from path.
    TBitmap Load(const std::string& path) {
        TMultiView frames(nullptr);
        LoadFrames({path}, frames);
        EXPECT_EQ(frames.GetImageCount(), 1);
        auto image = frames.GetImage(0);
        return image ? *image : TBitmap();
    }

    fs::path dir_;
    TApplication app_{std::make_unique<HeadlessBackend>()};
};

TEST_F(StillImages, EachExifOrientationOpensUpright) {
    // Corners of the stored picture: red, green / blue, white. For each orientation tag, the
    // corners a viewer shows (top-left, top-right, bottom-left, bottom-right) and the size.
    const TColor r = clRed, g = clLime, b = clBlue, w = clWhite;
    struct Case {
        int orientation;
        TColor corners[4];
        bool turned;
    } cases[] = {
        {1, {r, g, b, w}, false}, {2, {g, r, w, b}, false}, {3, {w, b, g, r}, false},
        {4, {b, w, r, g}, false}, {5, {r, b, g, w}, true},  {6, {b, r, w, g}, true},
        {7, {w, g, b, r}, true},  {8, {g, w, r, b}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("orientation " + std::to_string(c.orientation));
        VipsRef picture = Quadrants();
        VipsRef tagged;
        ASSERT_EQ(vips_copy(picture.get(), tagged.out(), nullptr), 0);
        vips_image_set_int(tagged.get(), VIPS_META_ORIENTATION, c.orientation);
        const std::string path = Path("photo" + std::to_string(c.orientation) + ".jpg");
        ASSERT_EQ(vips_jpegsave(tagged.get(), path.c_str(), "Q", 95, nullptr), 0);

        const TBitmap frame = Load(path);
        EXPECT_EQ(frame.Width(), c.turned ? 32 : 64);
        EXPECT_EQ(frame.Height(), c.turned ? 64 : 32);
        const int right = frame.Width() - 4, bottom = frame.Height() - 4;
        const TColor seen[4] = {frame.Pixel(3, 3), frame.Pixel(right, 3), frame.Pixel(3, bottom),
                                frame.Pixel(right, bottom)};
        for (int i = 0; i < 4; ++i)
            EXPECT_LE(ColourDistance(seen[i], c.corners[i]), 24) << "corner " << i;
    }
}

TEST_F(StillImages, CmykJpegsOpenInTheirColours) {
    struct Case {
        std::vector<double> cmyk;
        TColor expected;
    } cases[] = {
        {{0, 0, 0, 0}, clWhite},
        {{0, 0, 0, 255}, RGB(40, 36, 42)},  // the rich grey of black ink alone
        {{255, 0, 0, 0}, RGB(0, 160, 228)}, // process cyan
        {{0, 0, 255, 0}, RGB(255, 240, 0)}, // process yellow
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.expected);
        VipsRef cmyk = Flat(16, 16, c.cmyk, VIPS_FORMAT_UCHAR, VIPS_INTERPRETATION_CMYK);
        const std::string path = Path("cmyk.jpg");
        ASSERT_EQ(vips_jpegsave(cmyk.get(), path.c_str(), "Q", 100, nullptr), 0);
        const TBitmap frame = Load(path);
        EXPECT_LE(ColourDistance(frame.Pixel(8, 8), c.expected), 40)
            << std::hex << frame.Pixel(8, 8);
    }
}

TEST_F(StillImages, DeepGreyPaletteAndAlphaImagesFlattenToTwentyFourBits) {
    struct Case {
        const char* name;
        std::vector<double> values;
        VipsBandFormat format;
        VipsInterpretation interpretation;
        bool palette;
        TColor expected;
    } cases[] = {
        // 16-bit samples keep their high byte.
        {"rgb16.png",
         {65535, 32896, 0},
         VIPS_FORMAT_USHORT,
         VIPS_INTERPRETATION_RGB16,
         false,
         RGB(255, 128, 0)},
        {"grey16.png",
         {16448},
         VIPS_FORMAT_USHORT,
         VIPS_INTERPRETATION_GREY16,
         false,
         RGB(64, 64, 64)},
        {"grey.png", {200}, VIPS_FORMAT_UCHAR, VIPS_INTERPRETATION_B_W, false, RGB(200, 200, 200)},
        {"palette.png",
         {10, 120, 250},
         VIPS_FORMAT_UCHAR,
         VIPS_INTERPRETATION_sRGB,
         true,
         RGB(10, 120, 250)},
        // Alpha 128 over white: (c * a + 255 * (255 - a) + 127) / 255.
        {"alpha.png",
         {0, 100, 255, 128},
         VIPS_FORMAT_UCHAR,
         VIPS_INTERPRETATION_sRGB,
         false,
         RGB(127, 177, 255)},
        {"greyalpha.png",
         {0, 64},
         VIPS_FORMAT_UCHAR,
         VIPS_INTERPRETATION_B_W,
         false,
         RGB(191, 191, 191)},
        {"rgb.tif", {1, 2, 3}, VIPS_FORMAT_UCHAR, VIPS_INTERPRETATION_sRGB, false, RGB(1, 2, 3)},
        {"rgb16.tif",
         {257 * 9, 257 * 99, 257 * 199},
         VIPS_FORMAT_USHORT,
         VIPS_INTERPRETATION_RGB16,
         false,
         RGB(9, 99, 199)},
        {"lossless.webp",
         {4, 5, 6, 255},
         VIPS_FORMAT_UCHAR,
         VIPS_INTERPRETATION_sRGB,
         false,
         RGB(4, 5, 6)},
        {"still.gif",
         {0, 0, 255},
         VIPS_FORMAT_UCHAR,
         VIPS_INTERPRETATION_sRGB,
         false,
         RGB(0, 0, 255)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        VipsRef image = Flat(12, 10, c.values, c.format, c.interpretation);
        const std::string path = Path(c.name);
        const std::string extension = fs::path(path).extension().string();
        int failed = extension == ".tif" ? vips_tiffsave(image.get(), path.c_str(), nullptr)
                     : extension == ".webp"
                         ? vips_webpsave(image.get(), path.c_str(), "lossless", TRUE, nullptr)
                     : extension == ".gif" ? vips_gifsave(image.get(), path.c_str(), nullptr)
                     : c.palette ? vips_pngsave(image.get(), path.c_str(), "palette", TRUE, nullptr)
                                 : vips_pngsave(image.get(), path.c_str(), nullptr);
        ASSERT_EQ(failed, 0) << VipsReason();
        const TBitmap frame = Load(path);
        EXPECT_EQ(frame.Width(), 12);
        EXPECT_EQ(frame.Height(), 10);
        EXPECT_EQ(frame.PixelFormat(), pf24bit);
        EXPECT_EQ(frame.Pixel(5, 5), c.expected) << std::hex << frame.Pixel(5, 5);
    }
}

TEST_F(StillImages, HeifAndAvifOpenWhereTheDecodersAreInstalled) {
    for (const auto& [name, compression] :
         {std::pair{"still.heic", VIPS_FOREIGN_HEIF_COMPRESSION_HEVC},
          std::pair{"still.avif", VIPS_FOREIGN_HEIF_COMPRESSION_AV1}}) {
        SCOPED_TRACE(name);
        VipsRef image = Flat(32, 24, {30, 140, 220}, VIPS_FORMAT_UCHAR, VIPS_INTERPRETATION_sRGB);
        const std::string path = Path(name);
        ASSERT_EQ(
            vips_heifsave(image.get(), path.c_str(), "compression", compression, "Q", 90, nullptr),
            0)
            << VipsReason();
        const TBitmap frame = Load(path);
        EXPECT_EQ(frame.Width(), 32);
        EXPECT_EQ(frame.Height(), 24);
        EXPECT_LE(ColourDistance(frame.Pixel(16, 12), RGB(30, 140, 220)), 8)
            << std::hex << frame.Pixel(16, 12);
    }
}

TEST_F(StillImages, PngAndJpegReadTheSameBytesAsThePlatformLoader) {
    TBitmap noise(37, 23, pf24bit);
    uint32_t state = 12345;
    for (int y = 0; y < 23; ++y)
        for (int x = 0; x < 37; ++x) {
            state = state * 1664525u + 1013904223u;
            noise.SetPixel(x, y, state >> 8 & 0xFFFFFF);
        }
    VipsRef image = VipsFromFrame(noise);
    const std::string png = Path("n.png"), jpg = Path("n.jpg");
    ASSERT_EQ(vips_pngsave(image.get(), png.c_str(), nullptr), 0);
    ASSERT_EQ(vips_jpegsave(image.get(), jpg.c_str(), "Q", 80, nullptr), 0);
    for (const std::string& path : {png, jpg}) {
        SCOPED_TRACE(path);
        TBitmap platform;
        std::string error;
        ASSERT_TRUE(LoadImageFile(path, platform, error)) << error;
        const TBitmap ours = Load(path);
        ASSERT_EQ(ours.Width(), platform.Width());
        for (int y = 0; y < ours.Height(); ++y)
            ASSERT_EQ(0, std::memcmp(ours.ScanLine(y), platform.ScanLine(y), 3 * 37)) << y;
    }
}

} // namespace
