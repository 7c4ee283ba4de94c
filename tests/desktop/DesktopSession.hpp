// The desktop as a person meets it: a private X server, with the openbox window
// manager or without one, imagora running on it without a script, real input
// through xdotool, and what each window shows read with xwd and compared with the
// headless picture of the same steps.
#pragma once

#include "XvfbDisplay.hpp"
#include "graphics/ImageFile.hpp"

#include <filesystem>
#include <map>

namespace desktop {

namespace fs = std::filesystem;

// Where a control lies in its window's client area, as `where NAME` prints it.
struct Place {
    int x = 0, y = 0, width = 0, height = 0;
    int CentreX() const { return x + width / 2; }
    int CentreY() const { return y + height / 2; }
    TRect Rect() const { return {x, y, x + width, y + height}; }
};

// The `where` lines of a headless run's output, by control name.
inline std::map<std::string, Place> Places(const std::string& output) {
    std::map<std::string, Place> places;
    std::istringstream lines(output);
    for (std::string line; std::getline(lines, line);) {
        std::istringstream words(line);
        std::string verb, name;
        Place p;
        if (words >> verb >> name >> p.x >> p.y >> p.width >> p.height && verb == "where")
            places[name] = p;
    }
    return places;
}

inline std::string Slurp(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

// A test with its own X server and, when the parameter says so, openbox on it.
class DesktopTest : public ::testing::TestWithParam<bool> {
protected:
    bool WithWindowManager() const { return GetParam(); }

    void SetUp() override {
        std::string why;
        if (xvfb::FindProgram("Xvfb").empty())
            GTEST_SKIP() << "Xvfb is not installed (scripts/setup installs it)";
        ASSERT_TRUE(display_.Start(why)) << why;
        if (WithWindowManager()) {
            ASSERT_FALSE(xvfb::FindProgram("openbox").empty())
                << "openbox is not installed (scripts/setup installs it)";
            wm_ = std::make_unique<xvfb::Child>(display_.Name(), "exec openbox --sm-disable "
                                                                 ">/dev/null 2>&1");
            ASSERT_TRUE(xvfb::WaitFor(
                [&] {
                    return display_.Run("xprop -root _NET_SUPPORTING_WM_CHECK").find("window id") !=
                           std::string::npos;
                },
                10000))
                << "openbox did not start";
        }
        dir_ = fs::path(::testing::TempDir()) /
               ("desktop-" + std::to_string(getpid()) + "-" +
                std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override {
        app_.reset();
        wm_.reset();
        display_.Stop();
        if (!dir_.empty() && !HasFailure())
            fs::remove_all(dir_);
    }

    // The demo's two sample images, as arguments for imagora.
    std::string Samples() {
        std::string command = std::string(MAKE_SAMPLES_PATH) + " " + dir_.string() + " >/dev/null";
        EXPECT_EQ(std::system(command.c_str()), 0);
        return (dir_ / "start.png").string() + " " + (dir_ / "final.png").string();
    }
    std::string File(const std::string& name, const std::string& text) {
        std::ofstream(dir_ / name) << text;
        return (dir_ / name).string();
    }
    std::string Imagora(const std::string& args, const std::string& name) {
        return std::string(IMAGORA_PATH) + " " + args + " >" + (dir_ / (name + ".out")).string() +
               " 2>" + (dir_ / (name + ".err")).string() + " </dev/null";
    }
    std::string Out(const std::string& name) { return Slurp(dir_ / (name + ".out")); }
    std::string Err(const std::string& name) { return Slurp(dir_ / (name + ".err")); }

    // Runs a script headless in the test's folder (where its shots land) and returns its output.
    std::string Headless(const std::string& script, const std::string& images) {
        std::string file = File("headless.txt", script);
        std::string run = "cd " + dir_.string() + " && " +
                          Imagora("--headless --script " + file + " " + images, "h");
        EXPECT_EQ(std::system(run.c_str()), 0) << Err("h");
        return Out("h");
    }
    TBitmap Shot(const std::string& name) {
        TBitmap picture;
        std::string error;
        EXPECT_TRUE(LoadImageFile((dir_ / name).string(), picture, error)) << error;
        return picture;
    }

    // Starts imagora on the display, without a script: a person drives it.
    void StartImagora(const std::string& args) {
        app_ = std::make_unique<xvfb::Child>(display_.Name(), Imagora(args, "s"));
    }

    // The id of the viewable window with exactly this title, waiting for it to appear.
    std::string AwaitWindow(const std::string& title, int timeoutMs = 15000) {
        std::string id;
        xvfb::WaitFor(
            [&] {
                std::istringstream ids(
                    display_.Run("xdotool search --onlyvisible --name '^" + title + "$'"));
                id.clear();
                ids >> id;
                return !id.empty();
            },
            timeoutMs);
        return id;
    }
    bool Gone(const std::string& title, int timeoutMs = 10000) {
        return xvfb::WaitFor(
            [&] {
                return display_.Run("xdotool search --onlyvisible --name '^" + title + "$'")
                    .empty();
            },
            timeoutMs);
    }

    // Real input: xdotool on the display.
    void Xdo(const std::string& args) { display_.Run("xdotool " + args); }
    void Click(const std::string& window, int x, int y) {
        Xdo("mousemove --sync --window " + window + " " + std::to_string(x) + " " +
            std::to_string(y) + " click 1");
    }

    // Empty when the window comes to show exactly the expected picture within the
    // time; else how it differs at the end (the capture is kept beside the shots).
    // Pixels inside hidden (window coordinates), such as where another window lies
    // over it, are not compared.
    std::string AwaitPicture(const std::string& window, const TBitmap& expected,
                             const std::vector<TRect>& hidden = {}, int timeoutMs = 8000) {
        std::string difference = "never captured";
        TBitmap screen;
        xvfb::WaitFor(
            [&] {
                std::string error;
                if (!display_.Capture(window, screen, error)) {
                    difference = error;
                    return false;
                }
                TBitmap compared = expected;
                for (const TRect& r : hidden)
                    for (int y = r.Top; y < r.Bottom; ++y)
                        for (int x = r.Left; x < r.Right; ++x)
                            if (x >= 0 && y >= 0 && x < compared.Width() && y < compared.Height() &&
                                x < screen.Width() && y < screen.Height())
                                compared.SetPixel(x, y, screen.Pixel(x, y));
                difference = xvfb::FirstDifference(compared, screen);
                return difference.empty();
            },
            timeoutMs);
        if (!difference.empty()) {
            std::string error;
            SavePng((dir_ / ("mismatch-" + std::to_string(++mismatches_) + ".png")).string(),
                    screen, error);
        }
        return difference;
    }
    // The screen rectangle of a window, frame included, in another window's coordinates.
    TRect Over(const std::string& window, const std::string& below) {
        TPoint a = Origin(window), b = Origin(below);
        std::string info = display_.Run("xwininfo -id " + window);
        std::smatch w, h;
        std::regex_search(info, w, std::regex(R"(Width:\s+(\d+))"));
        std::regex_search(info, h, std::regex(R"(Height:\s+(\d+))"));
        const int frame = 32; // a window manager's border and title bar
        return {a.x - b.x - frame, a.y - b.y - frame, a.x - b.x + std::stoi(w[1]) + frame,
                a.y - b.y + std::stoi(h[1]) + frame};
    }

    // Puts another client's window over a rectangle of the screen until Uncover.
    void Cover(int x, int y, int width, int height) {
        std::string geometry = std::to_string(width) + "x" + std::to_string(height) + "+" +
                               std::to_string(x) + "+" + std::to_string(y);
        cover_ = std::make_unique<xvfb::Child>(display_.Name(), "exec xlogo -geometry " + geometry +
                                                                    " -title cover 2>/dev/null");
        AwaitWindow("cover");
    }
    void Uncover() {
        cover_.reset();
        Gone("cover");
    }

    // Minimises a window and restores it, as a person does with the window manager;
    // without one, unmaps and maps it again.
    void MinimiseAndRestore(const std::string& window) {
        if (WithWindowManager()) {
            Xdo("windowminimize --sync " + window);
            Xdo("windowactivate --sync " + window);
        } else {
            Xdo("windowunmap --sync " + window);
            Xdo("windowmap --sync " + window);
        }
    }

    // The window's top-left corner on the screen.
    TPoint Origin(const std::string& window) {
        std::string info = display_.Run("xwininfo -id " + window);
        TPoint p{0, 0};
        std::smatch m;
        if (std::regex_search(info, m, std::regex(R"(Absolute upper-left X:\s+(-?\d+))")))
            p.x = std::stoi(m[1]);
        if (std::regex_search(info, m, std::regex(R"(Absolute upper-left Y:\s+(-?\d+))")))
            p.y = std::stoi(m[1]);
        return p;
    }

    xvfb::Display display_;
    std::unique_ptr<xvfb::Child> wm_, app_, cover_;
    fs::path dir_;
    int mismatches_ = 0;
};

inline std::string Name(const ::testing::TestParamInfo<bool>& info) {
    return info.param ? "Openbox" : "NoWindowManager";
}

} // namespace desktop
