// imagora on animations and videos as a user runs it: open, morph, save as one file, read back;
// and bad media input refused with one line, exit code 2 and nothing written.
#include "ImagoraFixture.hpp"
#include "MediaSamples.hpp"
#include "SequenceFiles.hpp"

using namespace media_samples;

namespace {

TEST_F(Imagora, AnAnimatedGifMorphedBetweenTwoFramesIsSavedAsVideoAndReadBack) {
    const std::string gif = (dir_ / "in.gif").string();
    WriteSequence(gif, OutputFormat::Gif,
                  {FlatFrame(40, 30, clRed), FlatFrame(40, 30, clBlue), FlatFrame(40, 30, clLime)},
                  {200, 300, 400});
    const std::string script =
        File("run.txt", "click WarpMeshG_btn\ntext Frames_ed 5\nclick MorphFinal_btn\n");
    const fs::path mp4 = dir_ / "out.mp4", frames = dir_ / "frames";
    const Outcome r = Run("--select 0 --script " + script + " --save " + mp4.string() + " --save " +
                          frames.string() + " " + gif);
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "Tweenkit 1.2\nresult: 0\nframes: 6\n");

    // red, three frames on the way to blue, blue, green
    TMultiView back(nullptr);
    LoadFrames({mp4.string()}, back);
    ASSERT_EQ(back.GetImageCount(), 6);
    EXPECT_EQ(back.GetImageWidth(0), 40);
    EXPECT_EQ(back.GetImageHeight(0), 30);
    EXPECT_LE(ColourDistance(back.GetImage(0)->Pixel(20, 15), clRed), 10);
    EXPECT_LE(ColourDistance(back.GetImage(4)->Pixel(20, 15), clBlue), 10);
    EXPECT_LE(ColourDistance(back.GetImage(5)->Pixel(20, 15), clLime), 10);
    const TColor middle = back.GetImage(2)->Pixel(20, 15);
    EXPECT_GT(GetRValue(middle), 60);
    EXPECT_GT(GetBValue(middle), 60);
    EXPECT_EQ(back.GetImageDelayTime(0), 200);
    EXPECT_EQ(back.GetImageDelayTime(5), 400);
    // The same run wrote the PNG folder with the same delays.
    EXPECT_NE(Slurp(frames / "sequence.txt").find("frame_0005.png 400\n"), std::string::npos);
}

TEST_F(Imagora, BadMediaGetsOneLineExitTwoAndWritesNothing) {
    const std::string good = Image("good.png", 8, 8, clRed);
    const std::string other = Image("other.png", 9, 8, clBlue);
    const std::string gif = (dir_ / "whole.gif").string();
    WriteSequence(gif, OutputFormat::Gif, {FlatFrame(30, 20, clRed), FlatFrame(30, 20, clBlue)},
                  {100, 100});
    const std::string bytes = Slurp(gif);
    const std::string cut = File("cut.gif", bytes.substr(0, bytes.size() - 10));
    const std::string video = File("cut.mp4", std::string("\0\0\0\x18"
                                                          "ftypisom",
                                                          12) +
                                                  std::string(100, '\x01'));
    const std::string out = (dir_ / "out.gif").string();
    struct Case {
        std::string args;
        std::string reason;
    } cases[] = {
        {"--save " + out + " " + cut, "cut.gif: corrupt or truncated GIF image"},
        {"--save " + out + " " + video, "cut.mp4: "},
        // A header, a screen descriptor without colour table, the end marker: no frame.
        {"--save " + out + " " + File("empty.gif", std::string("GIF89a\x01\0\x01\0\0\0\0;", 14)),
         "empty.gif: "},
        {"--save " + (dir_ / "out.xyz").string() + " " + good, "out.xyz: unknown extension .xyz"},
        {"--save " + (dir_ / "none" / "out.gif").string() + " " + good, "does not exist"},
        {"--format tga --save " + out + " " + good, "--format tga: unknown format"},
        {"--format gif " + good, "--format needs --save"},
        {"--save " + out + " " + good + " " + other,
         "out.gif: frame 1 is 9 x 8, the first frame 8 x 8"},
    };
    for (const Case& c : cases) {
        const Outcome r = Run(c.args);
        EXPECT_EQ(r.exitCode, 2) << c.args;
        EXPECT_NE(r.err.find(c.reason), std::string::npos) << c.args << "\n" << r.err;
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
        EXPECT_FALSE(fs::exists(out)) << c.args;
        for (const auto& entry : fs::directory_iterator(dir_))
            EXPECT_NE(entry.path().filename().string()[0], '.') << entry.path();
    }
}

} // namespace
