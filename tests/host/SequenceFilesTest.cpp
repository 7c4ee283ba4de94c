// Animations and videos in and out: frames in order with their delays, round trips through
// every single-file format, and writers that leave nothing behind when they fail.
#include "SequenceFiles.hpp"
#include "MediaSamples.hpp"

#include "Application.hpp"
#include "backends/headless/HeadlessBackend.hpp"

#include <cstring>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;
using namespace media_samples;

namespace {

struct Format {
    const char* name;
    OutputFormat format;
    int tolerance;  // per colour part, after the round trip
    int delayStep;  // the unit delays are stored in (ms)
    bool evenSizes; // sizes padded to even numbers
};
const Format kFormats[] = {
    {"gif", OutputFormat::Gif, 0, 10, false},
    {"webp", OutputFormat::Webp, 0, 1, false},
    {"mp4", OutputFormat::Mp4, 10, 1, true},
    {"webm", OutputFormat::Webm, 10, 1, true},
};

std::string Slurp(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

class SequenceFiles : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::path(::testing::TempDir()) /
               ("sequences-" +
                std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }
    std::string Path(const std::string& name) const { return (dir_ / name).string(); }

    fs::path dir_;
    TApplication app_{std::make_unique<HeadlessBackend>()};
};

// Three frames of distinct colours, each held for its own time.
const TColor kColours[] = {clRed, clLime, clBlue};
const int kDelays[] = {120, 250, 40};

std::vector<TBitmap> Frames(int w, int h) {
    std::vector<TBitmap> frames;
    for (TColor colour : kColours)
        frames.push_back(FlatFrame(w, h, colour));
    return frames;
}

TEST_F(SequenceFiles, EachFormatKeepsFramesOrderSizeAndDelays) {
    for (const Format& f : kFormats) {
        SCOPED_TRACE(f.name);
        const std::string path = Path(std::string("out.") + f.name);
        WriteSequence(path, f.format, Frames(33, 21), {kDelays, kDelays + 3});
        TMultiView frames(nullptr);
        LoadFrames({path}, frames);
        ASSERT_EQ(frames.GetImageCount(), 3);
        for (int i = 0; i < 3; ++i) {
            SCOPED_TRACE(i);
            EXPECT_EQ(frames.GetImageWidth(i), f.evenSizes ? 34 : 33);
            EXPECT_EQ(frames.GetImageHeight(i), f.evenSizes ? 22 : 21);
            EXPECT_EQ(frames.GetImageDelayTime(i), kDelays[i] / f.delayStep * f.delayStep);
            const auto frame = frames.GetImage(i);
            EXPECT_LE(ColourDistance(frame->Pixel(16, 10), kColours[i]), f.tolerance)
                << std::hex << frame->Pixel(16, 10);
            if (f.evenSizes) { // padded with black, not scaled
                auto sum = [](TColor c) { return (c & 0xFF) + (c >> 8 & 0xFF) + (c >> 16 & 0xFF); };
                EXPECT_LT(sum(frame->Pixel(33, 21)), sum(kColours[i]) - 120);
            }
        }
    }
}

TEST_F(SequenceFiles, LosslessWebpKeepsEveryPixel) {
    std::vector<TBitmap> noise(2, TBitmap(29, 17, pf24bit));
    uint32_t state = 99;
    for (TBitmap& frame : noise)
        for (int y = 0; y < 17; ++y)
            for (int x = 0; x < 29; ++x) {
                state = state * 1664525u + 1013904223u;
                frame.SetPixel(x, y, state >> 8 & 0xFFFFFF);
            }
    const std::string webp = Path("noise.webp");
    WriteSequence(webp, OutputFormat::Webp, noise, {10, 20});
    TMultiView frames(nullptr);
    LoadFrames({webp}, frames);
    ASSERT_EQ(frames.GetImageCount(), 2);
    for (int i = 0; i < 2; ++i) {
        const auto back = frames.GetImage(i);
        for (int y = 0; y < 17; ++y)
            ASSERT_EQ(0, std::memcmp(back->ScanLine(y), noise[i].ScanLine(y), 3 * 29)) << y;
    }
}

TEST_F(SequenceFiles, APngFolderKeepsEveryPixelWhetherEncodedAheadOrAtTheEnd) {
    auto noise = [](uint32_t seed) {
        TBitmap frame(23, 11, pf24bit);
        for (int y = 0; y < 11; ++y)
            for (int x = 0; x < 23; ++x) {
                seed = seed * 1664525u + 1013904223u;
                frame.SetPixel(x, y, seed >> 8 & 0xFFFFFF);
            }
        return frame;
    };
    // Two frames loaded, then three handed over during the run: two after the first frame,
    // one at the end, as the module inserts them.
    TMultiView frames(nullptr);
    std::vector<TBitmap> expected = {noise(1), noise(2)};
    for (const TBitmap& frame : expected)
        frames.SetImage(frames.AppendImage(), frame);
    PngFolderSaver saver(dir_.string(), frames.GetImageCount());
    for (auto [index, seed] : {std::pair{1, 3}, std::pair{2, 4}, std::pair{4, 5}}) {
        const TBitmap frame = noise(seed);
        frames.SetImage(frames.InsertImage(index), frame);
        frames.SetImageDelayTime(index, 10 * seed);
        saver.FrameInserted(index, frame);
        expected.insert(expected.begin() + index, frame);
    }
    saver.Save(frames);
    EXPECT_EQ(Slurp(dir_ / "sequence.txt"), "frame_0000.png 0\nframe_0001.png 30\n"
                                            "frame_0002.png 40\nframe_0003.png 0\n"
                                            "frame_0004.png 50\n");
    for (int i = 0; i < 5; ++i) {
        SCOPED_TRACE(i);
        TMultiView back(nullptr);
        LoadFrames({Path("frame_000" + std::to_string(i) + ".png")}, back);
        const auto frame = back.GetImage(0);
        for (int y = 0; y < 11; ++y)
            ASSERT_EQ(0, std::memcmp(frame->ScanLine(y), expected[i].ScanLine(y), 3 * 23)) << y;
    }
    for (const auto& entry : fs::directory_iterator(dir_))
        EXPECT_NE(entry.path().filename().string()[0], '.') << entry.path();
}

TEST_F(SequenceFiles, SeveralFilesAppendTheirFramesInOrder) {
    const std::string gif = Path("a.gif"), png = Path("b.png");
    WriteSequence(gif, OutputFormat::Gif, Frames(8, 8), {kDelays, kDelays + 3});
    VipsRef still = VipsFromFrame(FlatFrame(8, 8, clYellow));
    ASSERT_EQ(vips_pngsave(still.get(), png.c_str(), nullptr), 0);
    TMultiView frames(nullptr);
    LoadFrames({png, gif, png}, frames);
    ASSERT_EQ(frames.GetImageCount(), 5);
    const TColor expected[] = {clYellow, clRed, clLime, clBlue, clYellow};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(frames.GetImage(i)->Pixel(4, 4), expected[i]) << i;
    EXPECT_EQ(frames.GetImageDelayTime(0), 0);
    EXPECT_EQ(frames.GetImageDelayTime(2), 250);
}

TEST_F(SequenceFiles, FramesOverTheLimitAreRefusedBeforeDecoding) {
    for (const Format& f : kFormats) {
        SCOPED_TRACE(f.name);
        const std::string path = Path(std::string("big.") + f.name);
        WriteSequence(path, f.format, Frames(20, 10), {kDelays, kDelays + 3});
        TMultiView frames(nullptr);
        try {
            LoadFrames({path}, frames, 199);
            ADD_FAILURE() << "loaded above the limit";
        } catch (const std::runtime_error& refused) {
            EXPECT_EQ(std::string(refused.what()),
                      path + ": image too large: 20 x 10 pixels, more than the 199 allowed");
        }
        EXPECT_EQ(frames.GetImageCount(), 0);
    }
}

TEST_F(SequenceFiles, CutOrCorruptFilesAreRefusedWithOneLine) {
    for (const Format& f : kFormats) {
        SCOPED_TRACE(f.name);
        const std::string whole = Path(std::string("whole.") + f.name);
        WriteSequence(whole, f.format, Frames(64, 48), {kDelays, kDelays + 3});
        std::ifstream in(whole, std::ios::binary);
        const std::string bytes((std::istreambuf_iterator<char>(in)), {});
        for (size_t keep : {bytes.size() / 2, size_t{40}}) {
            const std::string cut = Path(std::string("cut.") + f.name);
            std::ofstream(cut, std::ios::binary | std::ios::trunc) << bytes.substr(0, keep);
            TMultiView frames(nullptr);
            try {
                LoadFrames({cut}, frames);
                ADD_FAILURE() << "a file cut to " << keep << " bytes loaded "
                              << frames.GetImageCount() << " frames";
            } catch (const std::runtime_error& refused) {
                const std::string message = refused.what();
                EXPECT_EQ(message.rfind(cut + ": ", 0), 0u) << message;
                EXPECT_EQ(message.find('\n'), std::string::npos) << message;
            }
        }
    }
}

TEST_F(SequenceFiles, AFailedWriteLeavesTheOldFileAndNoStagedFile) {
    for (const Format& f : kFormats) {
        SCOPED_TRACE(f.name);
        const std::string path = Path(std::string("keep.") + f.name);
        std::ofstream(path) << "the old file";
        std::vector<TBitmap> frames = Frames(16, 16);
        frames.push_back(FlatFrame(17, 16, clRed)); // another size: refused
        try {
            WriteSequence(path, f.format, frames, {10, 10, 10, 10});
            ADD_FAILURE() << "frames of two sizes were written";
        } catch (const MediaError& refused) {
            EXPECT_NE(
                std::string(refused.what()).find("frame 3 is 17 x 16, the first frame 16 x 16"),
                std::string::npos)
                << refused.what();
        }
        std::ifstream in(path);
        EXPECT_EQ(std::string((std::istreambuf_iterator<char>(in)), {}), "the old file");
        for (const auto& entry : fs::directory_iterator(dir_))
            EXPECT_NE(entry.path().filename().string()[0], '.') << entry.path();
    }
}

TEST_F(SequenceFiles, OutputFormatFollowsTheExtensionUnlessNamed) {
    EXPECT_EQ(ChooseOutputFormat("a/b.GIF", ""), OutputFormat::Gif);
    EXPECT_EQ(ChooseOutputFormat("b.webm", ""), OutputFormat::Webm);
    EXPECT_EQ(ChooseOutputFormat("frames", ""), OutputFormat::PngFolder);
    EXPECT_EQ(ChooseOutputFormat(dir_.string(), ""), OutputFormat::PngFolder);
    EXPECT_EQ(ChooseOutputFormat("clip.bin", "mp4"), OutputFormat::Mp4);
    EXPECT_EQ(ChooseOutputFormat("x.gif", "png"), OutputFormat::PngFolder);
    EXPECT_THROW(ChooseOutputFormat("x.avi", ""), std::runtime_error);
    EXPECT_THROW(ChooseOutputFormat("x.gif", "tga"), std::runtime_error);
}

} // namespace
