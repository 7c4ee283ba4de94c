// imagora on the sdl backend, on a private X server, beside the same run headless.
#include "XvfbDisplay.hpp"
#include "graphics/ImageFile.hpp"

#include <filesystem>

namespace fs = std::filesystem;

namespace {

std::string Slurp(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

class SdlHost : public XvfbTest {
protected:
    void SetUp() override {
        XvfbTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        dir_ = fs::path(::testing::TempDir()) /
               ("sdl-host-" +
                std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override {
        if (!dir_.empty())
            fs::remove_all(dir_);
    }

    // The demo's two sample images.
    std::string Samples() {
        std::string command = std::string(MAKE_SAMPLES_PATH) + " " + dir_.string() + " >/dev/null";
        EXPECT_EQ(std::system(command.c_str()), 0);
        return (dir_ / "start.png").string() + " " + (dir_ / "final.png").string();
    }
    std::string File(const std::string& name, const std::string& text) {
        std::ofstream(dir_ / name) << text;
        return (dir_ / name).string();
    }
    // imagora with args; its output goes to NAME.out and NAME.err.
    std::string Imagora(const std::string& args, const std::string& name) {
        return std::string(IMAGORA_PATH) + " " + args + " >" + (dir_ / (name + ".out")).string() +
               " 2>" + (dir_ / (name + ".err")).string() + " </dev/null";
    }
    std::string Out(const std::string& name) { return Slurp(dir_ / (name + ".out")); }
    std::string Err(const std::string& name) { return Slurp(dir_ / (name + ".err")); }
    // Loads a picture, retrying while it is still being written.
    bool Await(const fs::path& path, TBitmap& picture) {
        std::string error;
        return xvfb::WaitFor([&] { return LoadImageFile(path.string(), picture, error); }, 15000);
    }

    fs::path dir_;
};

TEST_F(SdlHost, TheEditorOpensInARealWindowShowingWhatHeadlessShows) {
    std::string images = Samples();
    fs::path headlessShot = dir_ / "headless.png", sdlShot = dir_ / "sdl.png";
    std::string headless = File("headless.txt", "wait 300\nshot " + headlessShot.string() + "\n");
    // On sdl the script runs in real time; the window stays up a while after the shot.
    std::string sdl = File("sdl.txt", "wait 300\nshot " + sdlShot.string() + "\nwait 3000\n");
    ASSERT_EQ(std::system(Imagora("--headless --script " + headless + " " + images, "h").c_str()),
              0)
        << Err("h");

    xvfb::Child run(display_->Name(), Imagora("--script " + sdl + " " + images, "s"));
    std::optional<xvfb::WindowInfo> window;
    ASSERT_TRUE(xvfb::WaitFor(
        [&] { return (window = display_->FindWindow("Tweenkit 1.2")).has_value(); }, 15000))
        << "no window titled \"Tweenkit 1.2\"\n"
        << Err("s");
    TBitmap expected, shot, screen;
    ASSERT_TRUE(Await(headlessShot, expected));
    ASSERT_TRUE(Await(sdlShot, shot)) << Err("s");
    std::string error;
    ASSERT_TRUE(display_->Capture(window->id, screen, error)) << error;
    EXPECT_EQ(run.Wait(20000), 0) << Err("s");

    EXPECT_EQ(Out("s"), Out("h"));
    EXPECT_EQ(Err("s"), "");
    EXPECT_EQ(xvfb::FirstDifference(expected, shot), "") << "the shot taken through the backend";
    EXPECT_EQ(xvfb::FirstDifference(expected, screen), "") << "the window on the screen";
    // The client area has the form's size and sits centred on the 1280 x 1024 screen.
    EXPECT_EQ(window->width, expected.Width());
    EXPECT_EQ(window->height, expected.Height());
    EXPECT_NEAR(window->x + window->width / 2, 640, 8);
    EXPECT_NEAR(window->y + window->height / 2, 512, 16);
}

TEST_F(SdlHost, AScriptedMorphSavesTheSameFramesAsHeadless) {
    const std::string images = Samples();
    const std::string script = std::string(DEMO_SCRIPT_PATH);
    const fs::path headlessOut = dir_ / "headless-out", sdlOut = dir_ / "sdl-out";
    ASSERT_EQ(std::system(Imagora("--headless --script " + script + " --save " +
                                      headlessOut.string() + " " + images,
                                  "h")
                              .c_str()),
              0)
        << Err("h");
    xvfb::Child run(
        display_->Name(),
        Imagora("--script " + script + " --save " + sdlOut.string() + " " + images, "s"));
    ASSERT_EQ(run.Wait(60000), 0) << Err("s");
    EXPECT_EQ(Out("s"), Out("h"));
    ASSERT_TRUE(fs::exists(headlessOut / "sequence.txt"));
    EXPECT_EQ(Slurp(sdlOut / "sequence.txt"), Slurp(headlessOut / "sequence.txt"));
    int frames = 0;
    for (const auto& entry : fs::directory_iterator(headlessOut)) {
        const fs::path name = entry.path().filename();
        EXPECT_EQ(Slurp(sdlOut / name), Slurp(entry.path())) << name;
        ++frames;
    }
    EXPECT_EQ(frames, 25); // the demo's 24 frames and the listing
}

TEST_F(SdlHost, ARefusalsMessageBoxShowsAnswersItselfAndTheRunEndsAsHeadless) {
    std::string script = File("run.txt", "wait 100\n");
    ASSERT_EQ(std::system(Imagora("--headless --script " + script, "h").c_str()), 0);
    xvfb::Child run(display_->Name(), Imagora("--script " + script, "s"));
    std::optional<xvfb::WindowInfo> box;
    ASSERT_TRUE(
        xvfb::WaitFor([&] { return (box = display_->FindWindow("Tweenkit")).has_value(); }, 15000))
        << "no message box\n"
        << Err("s");
    TBitmap picture;
    std::string error;
    ASSERT_TRUE(display_->Capture(box->id, picture, error)) << error;
    EXPECT_EQ(run.Wait(20000), 0) << Err("s");

    EXPECT_EQ(Out("s"), "Tweenkit 1.2\nmessage: No image loaded/created, execution aborted!\n"
                        "result: -1\n");
    EXPECT_EQ(Out("s"), Out("h"));
    // A face-coloured box wide enough for its line, with text and a button drawn on it.
    TColor face = ColorToRGB(clBtnFace);
    EXPECT_EQ(picture.Pixel(1, 1), face);
    EXPECT_GT(picture.Width(), 250);
    int inked = 0;
    for (int y = 0; y < picture.Height(); ++y)
        for (int x = 0; x < picture.Width(); ++x)
            inked += picture.Pixel(x, y) != face;
    EXPECT_GT(inked, 200);
}

TEST_F(SdlHost, WithoutAUsableDisplayTheHostRunsHeadless) {
    struct Case {
        std::string environment;
        std::string err;
    } cases[] = {
        {"env -u DISPLAY -u WAYLAND_DISPLAY", ""},
        {"env -u WAYLAND_DISPLAY DISPLAY=:9999",
         "imagora: cannot open the display; windows stay in memory (--headless)\n"},
    };
    for (const Case& c : cases) {
        // No script: only the headless backend answers the message box by itself.
        xvfb::Child run(display_->Name(), c.environment + " " + Imagora("", "r"));
        EXPECT_EQ(run.Wait(20000), 0) << c.environment;
        EXPECT_EQ(Out("r"), "Tweenkit 1.2\nmessage: No image loaded/created, execution aborted!\n"
                            "result: -1\n")
            << c.environment;
        EXPECT_EQ(Err("r"), c.err) << c.environment;
    }
}

} // namespace
