// imagora as a user runs it: a subprocess on images and scripts the test makes.
#include "ImagoraFixture.hpp"

namespace {

TEST_F(Imagora, InfoPrintsTheModulesIdentificationAndDescription) {
    Outcome r = Run("--info");
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out.rfind("identification: Tweenkit 1.2\nextension: 1011\nversion: 11\n", 0), 0u);
    EXPECT_NE(r.out.find(" \u2022 Two-pass mesh warping\n"), std::string::npos);
}

TEST_F(Imagora, RunsTheEditorOnTwoFramesAndSavesTheSequence) {
    std::string a = Image("a.png", 40, 30, clRed), b = Image("b.png", 40, 30, clBlue);
    std::string shot = (dir_ / "editor.png").string();
    std::string script = File("run.txt", "wait 100\nshot " + shot + "\nclose\n");
    Outcome r =
        Run("--script " + script + " --save " + (dir_ / "out").string() + " " + a + " " + b);
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "Tweenkit 1.2\nresult: 0\nframes: 2\n");
    EXPECT_EQ(Slurp(dir_ / "out" / "sequence.txt"), "frame_0000.png 0\nframe_0001.png 0\n");
    TBitmap saved, window;
    std::string error;
    ASSERT_TRUE(LoadImageFile((dir_ / "out" / "frame_0001.png").string(), saved, error)) << error;
    EXPECT_EQ(saved.Pixel(5, 5), clBlue);
    ASSERT_TRUE(LoadImageFile(shot, window, error)) << error;
    EXPECT_EQ(window.Width(), 635);
    EXPECT_EQ(window.Height(), 377);
}

TEST_F(Imagora, RefusalsOfTheModuleAreReportedAsItsResult) {
    std::string a = Image("a.png", 8, 8, clRed);
    Outcome none = Run("");
    EXPECT_EQ(none.out,
              "Tweenkit 1.2\nmessage: No image loaded/created, execution aborted!\nresult: -1\n");
    Outcome still = Run("--still " + a);
    EXPECT_EQ(still.out, "Tweenkit 1.2\nmessage: No video/animation sequence loaded/created, "
                         "execution aborted!\nresult: -2\n");
}

TEST_F(Imagora, BadInputGetsOneLineOnStderrExitTwoAndWritesNothing) {
    std::string good = Image("good.png", 8, 8, clRed);
    std::string png = Slurp(good);
    std::string out = (dir_ / "out").string();
    std::string file = File("plain.txt", "not an image\n");
    struct Case {
        std::string args;
        std::string reason;
    } cases[] = {
        {(dir_ / "missing.png").string(), "missing.png: cannot open"},
        {File("noise.png", std::string(200, '\x13')), "not a supported image"},
        {File("cut.png", png.substr(0, png.size() / 2)), "corrupt or truncated"},
        {file, "plain.txt: not a supported image"},
        {"--plugin " + (dir_ / "none.hpx").string() + " " + good, "cannot load the module"},
        {std::string("--plugin ") + INCOMPLETE_MODULE_PATH + " " + good,
         "does not export HPI_Execute"},
        {"--save " + file + "/sub " + good, "cannot create the output folder"},
        {"--select 3 " + good, "--select 3: the sequence has 1 frames"},
        {"--script " + File("bad.txt", "click A\nfly\n") + " " + good,
         "bad.txt:2: unknown command 'fly'"},
        {"--frobnicate", "unknown option --frobnicate"},
    };
    for (const Case& c : cases) {
        Outcome r = Run("--save " + out + " " + c.args);
        EXPECT_EQ(r.exitCode, 2) << c.args;
        EXPECT_NE(r.err.find(c.reason), std::string::npos) << c.args << "\n" << r.err;
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
        EXPECT_FALSE(fs::exists(dir_ / "out" / "sequence.txt")) << c.args;
    }
}

TEST_F(Imagora, AScriptNamingAnUnknownControlStopsWithItsLine) {
    std::string a = Image("a.png", 8, 8, clRed);
    std::string script = File("s.txt", "wait 10\nclick NoSuchButton\nshot never.png\n");
    Outcome r = Run("--script " + script + " --save " + (dir_ / "out").string() + " " + a);
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_NE(r.err.find("s.txt:2: no control named 'NoSuchButton'"), std::string::npos) << r.err;
    EXPECT_FALSE(fs::exists(dir_ / "out" / "sequence.txt"));
}

} // namespace
