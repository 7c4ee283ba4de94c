// An image file larger than the host can be sure to hold is refused before it is decoded,
// with one clear message; images up to the limit load as before.
#include "Application.hpp"
#include "HostProcess.hpp"
#include "ReliabilityFiles.hpp"
#include "SequenceFiles.hpp"
#include "backends/headless/HeadlessBackend.hpp"
#include "graphics/ImageFile.hpp"

#include <SDL.h>
#include <SDL_image.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <unistd.h>

namespace reliability {
namespace {

class ImageLimit : public ScratchFolder {
protected:
    // A 20 x 10 image file of the format.
    std::string Write(const std::string& format) {
        const std::string path = (dir_ / ("image." + format)).string();
        TBitmap image = Noise(20, 10, 7);
        std::string error;
        EXPECT_TRUE(SavePng(path, image, error)) << error;
        if (format == "png")
            return path;
        SDL_Surface* surface = IMG_Load(path.c_str());
        if (format == "jpg")
            IMG_SaveJPG(surface, path.c_str(), 90);
        else
            SDL_SaveBMP(surface, path.c_str());
        SDL_FreeSurface(surface);
        return path;
    }
    TApplication app_{std::make_unique<HeadlessBackend>()};
};

TEST_F(ImageLimit, EachFormatLoadsAtTheLimitAndIsRefusedOnePixelAbove) {
    for (const char* format : {"png", "jpg", "bmp"}) {
        SCOPED_TRACE(format);
        const std::string path = Write(format);
        TMultiView frames(nullptr);
        try {
            LoadFrames({path}, frames, 199);
            ADD_FAILURE() << "a 20 x 10 image loaded under a limit of 199 pixels";
        } catch (const std::runtime_error& refused) {
            EXPECT_EQ(std::string(refused.what()),
                      path + ": image too large: 20 x 10 pixels, more than the 199 allowed");
        }
        EXPECT_EQ(frames.GetImageCount(), 0);
        LoadFrames({path}, frames, 200);
        ASSERT_EQ(frames.GetImageCount(), 1);
        EXPECT_EQ(frames.GetImageWidth(0), 20);
        EXPECT_EQ(frames.GetImageHeight(0), 10);
    }
}

TEST_F(ImageLimit, TheHostsLimitHoldsAFourThousandByThreeThousandFrameWhereMemoryAllows) {
    const int64_t memory = int64_t{::sysconf(_SC_PHYS_PAGES)} * ::sysconf(_SC_PAGE_SIZE);
    EXPECT_LE(FramePixelLimit(), kMaxImagePixels);
    EXPECT_LE(FramePixelLimit() * kRunBytesPerPixel, memory / 4);
    if (memory >= (int64_t{2} << 30)) {
        EXPECT_GE(FramePixelLimit(), 4000 * 3000);
    }
}

// A valid PNG whose header declares w x h pixels, its checksum made to match.
std::string PngDeclaring(const std::string& small, uint32_t w, uint32_t h) {
    std::string png = small;
    auto put = [&](size_t at, uint32_t v) {
        for (int i = 0; i < 4; ++i)
            png[at + i] = static_cast<char>(v >> (24 - 8 * i));
    };
    put(16, w);
    put(20, h);
    uint32_t crc = 0xFFFFFFFFu;
    for (size_t i = 12; i < 29; ++i) {
        crc ^= static_cast<uint8_t>(png[i]);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    put(29, ~crc);
    return png;
}

TEST_F(ImageLimit, DeclaredSizesWhoseProductOverflowsAreRefusedAsTooLarge) {
    const std::string small = Slurp(Write("png"));
    const struct {
        uint32_t w, h;
    } sizes[] = {{0xFFFFFFFF, 0xFFFFFFFF}, {0x80000000, 2}, {0x10000, 0x10001}};
    for (const auto& size : sizes) {
        const std::string path = (dir_ / "declared.png").string();
        Spit(path, PngDeclaring(small, size.w, size.h));
        TMultiView frames(nullptr);
        try {
            LoadFrames({path}, frames);
            ADD_FAILURE() << size.w << " x " << size.h << " loaded";
        } catch (const std::runtime_error& refused) {
            EXPECT_NE(std::string(refused.what())
                          .find(": image too large: " + std::to_string(size.w) + " x " +
                                std::to_string(size.h) + " pixels"),
                      std::string::npos)
                << refused.what();
        }
    }
}

TEST_F(ImageLimit, TheHostRefusesAHugeDeclaredSizeWithOneLineAndWithoutTheMemory) {
    const std::string path = (dir_ / "huge.png").string();
    Spit(path, PngDeclaring(Slurp(Write("png")), 60000, 60000)); // the decoder would want 14 GB
    HostExit run = HostProcess({"--save", (dir_ / "out").string(), path}).Wait();
    EXPECT_EQ(run.code, 2);
    EXPECT_EQ(run.err, "imagora: " + path +
                           ": image too large: 60000 x 60000 pixels, more than the " +
                           std::to_string(FramePixelLimit()) + " allowed\n");
    EXPECT_LT(run.peakRssKb, 512 * 1024) << "the host allocated for the declared size";
    EXPECT_FALSE(fs::exists(dir_ / "out" / "sequence.txt"));
}

} // namespace
} // namespace reliability
