#include "graphics/ImageFile.hpp"

#include <SDL.h>
#include <SDL_image.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// A fresh folder per test, removed afterwards.
class ImageFiles : public ::testing::Test {
protected:
    fs::path dir;

    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        dir = fs::temp_directory_path() /
              ("tk-image-" + std::string(info->name()) + "-" + std::to_string(::getpid()));
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }

    std::string Write(const std::string& name, const std::string& bytes) {
        std::ofstream(dir / name, std::ios::binary) << bytes;
        return (dir / name).string();
    }
    static std::string Read(const fs::path& p) {
        std::ifstream in(p, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
};

TBitmap Noise(int w, int h, TPixelFormat pf) {
    TBitmap bmp(w, h, pf);
    std::srand(static_cast<unsigned>(w * 31 + h));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            bmp.SetPixel(x, y, std::rand() & 0xFFFFFF);
    return bmp;
}

TEST_F(ImageFiles, PngRoundTripIsBitExact) {
    struct Case {
        int w, h;
        TPixelFormat pf;
    };
    for (const Case& k :
         {Case{1, 1, pf24bit}, Case{7, 3, pf24bit}, Case{5, 9, pf32bit}, Case{13, 2, pf1bit}}) {
        TBitmap original = Noise(k.w, k.h, k.pf);
        std::string path = (dir / "frame.png").string(), error;
        ASSERT_TRUE(SavePng(path, original, error)) << error;
        TBitmap loaded;
        ASSERT_TRUE(LoadImageFile(path, loaded, error)) << error;
        ASSERT_EQ(loaded.Width(), k.w);
        ASSERT_EQ(loaded.Height(), k.h);
        EXPECT_EQ(loaded.PixelFormat(), pf24bit);
        for (int y = 0; y < k.h; ++y)
            for (int x = 0; x < k.w; ++x)
                ASSERT_EQ(loaded.Pixel(x, y), original.Pixel(x, y)) << x << "," << y;
    }
    // Only the one file is left in the folder: no temporary files.
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);
}

TEST_F(ImageFiles, BadFilesFailWithAReasonAndLeaveTheBitmapAlone) {
    TBitmap good = Noise(6, 4, pf24bit);
    std::string error;
    ASSERT_TRUE(SavePng((dir / "good.png").string(), good, error));
    std::string png = Read(dir / "good.png");
    struct Case {
        std::string path;
        std::string reason;
    };
    const Case cases[] = {
        {(dir / "missing.png").string(), "cannot open"},
        {Write("garbage.png", "this is not an image at all"), "not a supported image"},
        {Write("empty.png", ""), "not a supported image"},
        {Write("truncated.png", png.substr(0, png.size() / 2)), "corrupt or truncated"},
        {Write("header-only.png", png.substr(0, 8)), "corrupt or truncated"},
        {Write("bad.bmp", "BM\x01\x02garbage"), "corrupt or truncated"},
        {Write("bad.jpg", "\xFF\xD8\xFF\xE0 nothing"), "corrupt or truncated"},
        {dir.string(), "cannot read"},
    };
    for (const Case& k : cases) {
        TBitmap out(2, 3);
        out.SetPixel(1, 1, clRed);
        std::string why;
        EXPECT_FALSE(LoadImageFile(k.path, out, why)) << k.path;
        EXPECT_EQ(why.rfind(k.reason, 0), 0u) << k.path << ": " << why;
        EXPECT_EQ(out.Width(), 2);
        EXPECT_EQ(out.Pixel(1, 1), clRed);
    }
}

TEST_F(ImageFiles, TranslucentPixelsAreCompositedOverWhite) {
    SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, 2, 1, 32, SDL_PIXELFORMAT_RGBA32);
    ASSERT_NE(s, nullptr);
    auto* p = static_cast<uint8_t*>(s->pixels);
    const uint8_t pixels[] = {0, 0, 0, 0, 255, 0, 0, 128}; // transparent black, half red
    std::copy(std::begin(pixels), std::end(pixels), p);
    std::string path = (dir / "alpha.png").string();
    ASSERT_EQ(IMG_SavePNG(s, path.c_str()), 0);
    SDL_FreeSurface(s);
    TBitmap loaded;
    std::string error;
    ASSERT_TRUE(LoadImageFile(path, loaded, error)) << error;
    EXPECT_EQ(loaded.Pixel(0, 0), clWhite);
    EXPECT_EQ(loaded.Pixel(1, 0), RGB(255, 127, 127));
}

TEST_F(ImageFiles, BmpFilesLoad) {
    SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, 3, 2, 24, SDL_PIXELFORMAT_RGB24);
    ASSERT_NE(s, nullptr);
    SDL_FillRect(s, nullptr, SDL_MapRGB(s->format, 10, 20, 30));
    std::string path = (dir / "in.bmp").string();
    ASSERT_EQ(SDL_SaveBMP(s, path.c_str()), 0);
    SDL_FreeSurface(s);
    TBitmap loaded;
    std::string error;
    ASSERT_TRUE(LoadImageFile(path, loaded, error)) << error;
    EXPECT_EQ(loaded.Width(), 3);
    EXPECT_EQ(loaded.Pixel(2, 1), RGB(10, 20, 30));
}

TEST_F(ImageFiles, SavingFailsCleanly) {
    std::string error;
    fs::path missing = dir / "no-such-folder" / "out.png";
    EXPECT_FALSE(SavePng(missing.string(), Noise(3, 3, pf24bit), error));
    EXPECT_EQ(error.rfind("cannot create file", 0), 0u) << error;
    EXPECT_FALSE(fs::exists(missing.parent_path()));

    fs::create_directories(dir / "taken.png");
    EXPECT_FALSE(SavePng((dir / "taken.png").string(), Noise(3, 3, pf24bit), error));
    EXPECT_FALSE(SavePng((dir / "empty.png").string(), TBitmap(), error));
    // Only the directory that blocked the rename remains.
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);
}

} // namespace
