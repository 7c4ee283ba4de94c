// Editing as a person does it on the desktop: real mouse and keys (xdotool) on
// the editor in a real window (sdl backend, private X server), with the geometry
// file on disk following every step, even when the program is killed mid-drag.
#include "XvfbDisplay.hpp"
#include "graphics/ImageFile.hpp"

#include <csignal>
#include <filesystem>
#include <regex>

namespace fs = std::filesystem;

namespace {

class SdlEditing : public XvfbTest {
protected:
    void SetUp() override {
        XvfbTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        if (xvfb::FindProgram("xdotool").empty())
            GTEST_SKIP() << "xdotool is not installed (scripts/setup installs it)";
        dir_ = fs::path(::testing::TempDir()) /
               ("sdl-editing-" +
                std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        const std::string samples =
            std::string(MAKE_SAMPLES_PATH) + " " + dir_.string() + " >/dev/null";
        ASSERT_EQ(std::system(samples.c_str()), 0);
        geometry_ = (dir_ / "work.json").string();
    }
    void TearDown() override {
        if (!dir_.empty())
            fs::remove_all(dir_);
    }
    // imagora on the display with the geometry file and the samples; it writes a pid file.
    std::unique_ptr<xvfb::Child> StartEditor() {
        const std::string command =
            "echo $$ >" + (dir_ / "pid").string() + "; exec " + IMAGORA_PATH + " --geometry " +
            geometry_ + " " + (dir_ / "start.png").string() + " " + (dir_ / "final.png").string() +
            " >" + (dir_ / "out").string() + " 2>&1 </dev/null";
        auto child = std::make_unique<xvfb::Child>(display_->Name(), command);
        EXPECT_TRUE(xvfb::WaitFor(
            [&] { return (window_ = display_->FindWindow("Tweenkit 1.2")).has_value(); }, 15000))
            << "no editor window";
        return child;
    }
    // Clicks "New mesh": 84 x 25 at (107, 8) of the mesh panel, right of the 311
    // pixels of the bottom-left panel, in the 60-pixel strip at the bottom. The
    // pointer leaves first: a synced move to where it already is would never end.
    void ClickNewMesh() {
        Input("mousemove 0 0 sleep 0.2 mousemove --sync " +
              At(2 + 311 + 107 + 42, window_->height - 60 + 2 + 8 + 12) + " click 1");
    }
    void Input(const std::string& actions) {
        xvfb::Child input(display_->Name(),
                          "xdotool windowfocus --sync " + window_->id + " " + actions);
        EXPECT_EQ(input.Wait(10000), 0) << actions;
    }
    // A point of the window's client area as a screen position for xdotool.
    std::string At(int x, int y) {
        return std::to_string(window_->x + x) + " " + std::to_string(window_->y + y);
    }
    // True once the geometry file on disk matches pattern (within 8 seconds).
    bool FileShows(const std::string& pattern) {
        return xvfb::WaitFor(
            [&] {
                std::ifstream in(geometry_);
                std::stringstream text;
                text << in.rdbuf();
                return std::regex_search(text.str(), std::regex(pattern));
            },
            8000);
    }

    fs::path dir_;
    std::string geometry_;
    std::optional<xvfb::WindowInfo> window_;
};

TEST_F(SdlEditing, CtrlZAndCtrlYFromTheKeyboardTakeBackAndRemakeANewMesh) {
    auto editor = StartEditor();
    ASSERT_TRUE(window_);
    ClickNewMesh();
    ASSERT_TRUE(FileShows("\"columns\": [1-9]")) << "the new mesh is saved";
    Input("key ctrl+z");
    EXPECT_TRUE(FileShows("\"columns\": 0,")) << "undone";
    Input("key ctrl+y");
    EXPECT_TRUE(FileShows("\"columns\": [1-9]")) << "redone";
    Input("key ctrl+shift+z");
    Input("key ctrl+z");
    EXPECT_TRUE(FileShows("\"columns\": 0,")) << "undone again";
}

TEST_F(SdlEditing, AKillMidDragLosesAtMostTheLastSecond) {
    auto editor = StartEditor();
    ASSERT_TRUE(window_);
    ClickNewMesh();
    ASSERT_TRUE(FileShows("\"columns\": [1-9]"));
    // The left view's image starts under the 41-pixel tool strip; node (1,1) of the
    // samples' default mesh is the first in the file's source list.
    std::ifstream in(geometry_);
    std::stringstream text;
    text << in.rdbuf();
    std::smatch first;
    const std::string saved = text.str();
    ASSERT_TRUE(std::regex_search(saved, first,
                                  std::regex("\"source\": \\[\\s*\\[\\s*(-?\\d+),\\s*(-?\\d+)")));
    const int nx = std::stoi(first[1]), ny = std::stoi(first[2]);
    const int ox = 2, oy = 41 + 2;
    Input("mousemove --sync " + At(ox + nx, oy + ny) + " sleep 0.3 mousedown 1 mousemove --sync " +
          At(ox + nx + 20, oy + ny + 15) + " sleep 1.5 mousemove --sync " +
          At(ox + nx + 40, oy + ny + 30));
    // Killed before the button comes up: the drag's first stretch is on disk.
    std::ifstream pidFile(dir_ / "pid");
    int pid = 0;
    pidFile >> pid;
    ASSERT_GT(pid, 0);
    kill(pid, SIGKILL);
    const std::regex moved("\"source\": \\[\\s*\\[\\s*" + std::to_string(nx + 20) + ",\\s*" +
                           std::to_string(ny + 15));
    std::ifstream after(geometry_);
    std::stringstream afterText;
    afterText << after.rdbuf();
    EXPECT_TRUE(std::regex_search(afterText.str(), moved)) << afterText.str().substr(0, 400);
    for (const auto& entry : fs::directory_iterator(dir_))
        EXPECT_EQ(entry.path().string().find(".tmp-"), std::string::npos) << entry.path();
}

TEST_F(SdlEditing, FoldAndFailureMarksShowOnTheScreenAsInTheHeadlessPicture) {
    // The samples (320 x 240) get an 8 x 6 mesh, nodes 36 by 35 pixels apart: node
    // (1,1) goes below (1,2), a fold; (2,1) onto (2,2), which fails the run.
    const std::string images = (dir_ / "start.png").string() + " " + (dir_ / "final.png").string();
    auto script = [&](const std::string& name, const std::string& extra) {
        const fs::path path = dir_ / (name + ".txt");
        std::ofstream(path) << "click WarpMeshG_btn\n"
                               "drag LeftView 36 35 36 95\n"
                               "drag LeftView 72 35 72 70\n"
                               "click MorphFinal_btn\n"
                               "wait 300\n"
                               "shot "
                            << (dir_ / (name + ".png")).string() << "\n"
                            << extra;
        return path.string();
    };
    const std::string headless = std::string(IMAGORA_PATH) + " --headless --script " +
                                 script("headless", "") + " " + images + " >" +
                                 (dir_ / "h.out").string() + " 2>&1";
    ASSERT_EQ(std::system(headless.c_str()), 0);
    xvfb::Child run(display_->Name(), std::string(IMAGORA_PATH) + " --script " +
                                          script("sdl", "wait 3000\n") + " " + images + " >" +
                                          (dir_ / "s.out").string() + " 2>&1");
    ASSERT_TRUE(xvfb::WaitFor(
        [&] { return (window_ = display_->FindWindow("Tweenkit 1.2")).has_value(); }, 15000));
    TBitmap expected, shot, screen;
    std::string error;
    ASSERT_TRUE(LoadImageFile((dir_ / "headless.png").string(), expected, error)) << error;
    ASSERT_TRUE(xvfb::WaitFor(
        [&] { return LoadImageFile((dir_ / "sdl.png").string(), shot, error); }, 15000));
    ASSERT_TRUE(display_->Capture(window_->id, screen, error)) << error;
    EXPECT_EQ(run.Wait(20000), 0);
    EXPECT_EQ(xvfb::FirstDifference(expected, shot), "");
    EXPECT_EQ(xvfb::FirstDifference(expected, screen), "") << "the window on the screen";
    // The folded segment is orange in the left half of the window.
    int orange = 0;
    for (int y = 0; y < expected.Height(); ++y)
        for (int x = 0; x < expected.Width() / 2; ++x)
            orange += expected.Pixel(x, y) == 0x00A5FF;
    EXPECT_GT(orange, 0);
}

} // namespace
