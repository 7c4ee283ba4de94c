// Real X input (xdotool, through the XTEST extension) reaching a form on the sdl backend.
#include "Application.hpp"
#include "Form.hpp"
#include "Timer.hpp"
#include "XvfbDisplay.hpp"

namespace {

// A form that writes down the input it gets.
class Recorder : public TForm {
public:
    using TForm::TForm;
    std::vector<std::string> log;

    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override {
        Note("down", button, shift, x, y);
        TForm::MouseDown(button, shift, x, y);
    }
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override {
        Note("up", button, shift, x, y);
        TForm::MouseUp(button, shift, x, y);
    }
    void MouseWheel(TShiftState shift, int delta, int x, int y) override {
        log.push_back("wheel " + std::to_string(delta) + " at " + Where(x, y));
        TForm::MouseWheel(shift, delta, x, y);
    }
    void KeyDown(int& key, TShiftState shift) override {
        log.push_back("key " + std::to_string(key));
        TForm::KeyDown(key, shift);
    }
    void KeyPress(char32_t ch) override { log.push_back("char " + std::string(1, char(ch))); }

private:
    static std::string Where(int x, int y) { return std::to_string(x) + "," + std::to_string(y); }
    void Note(const char* what, TMouseButton button, TShiftState shift, int x, int y) {
        log.push_back(std::string(what) + (button == mbLeft ? " left" : " other") +
                      ((shift & ssLeft) ? " held" : "") + " at " + Where(x, y));
    }
};

class SdlInput : public XvfbTest {};

TEST_F(SdlInput, MouseKeysTextAndWheelReachTheFormAndADragIsHeldOutsideTheWindow) {
    if (xvfb::FindProgram("xdotool").empty())
        GTEST_SKIP() << "xdotool is not installed (scripts/setup installs it)";
    setenv("DISPLAY", display_->Name().c_str(), 1);
    unsetenv("WAYLAND_DISPLAY");
    auto backend = CreateBackend("sdl");
    ASSERT_NE(backend, nullptr);
    TApplication app(std::move(backend));
    Recorder form(nullptr);
    form.SetCaption("Recorder");
    form.SetBorderStyle(bsSizeable);
    form.SetBounds(100, 100, 208, 131); // client 200 x 100 at (104, 127)
    form.Show();
    TTimer wake(nullptr); // keeps the loop turning while the input is on its way
    wake.SetInterval(20);
    auto runFor = [&](int ms, const std::function<bool()>& done) {
        int64_t end = app.NowMs() + ms;
        while (app.NowMs() < end && !done())
            app.HandleMessage();
    };
    runFor(2000, [&] { return !form.Dirty(); });
    auto window = display_->FindWindow("Recorder");
    ASSERT_TRUE(window);
    ASSERT_EQ(window->x, 104);
    ASSERT_EQ(window->y, 127);

    xvfb::Child input(display_->Name(), "xdotool windowfocus --sync " + window->id +
                                            " mousemove --sync 154 147 click 1"
                                            " mousedown 1 mousemove --sync 300 400 mouseup 1"
                                            " mousemove --sync 154 147 click 4 key Return type a");
    // Return before the letter: xdotool's typing of a letter remaps keys on Xvfb.
    const std::vector<std::string> expected = {
        "down left held at 50,20",
        "up left held at 50,20",
        "down left held at 50,20",
        "up left held at 196,273",
        "wheel 120 at 50,20",
        "key 13",
        "key 65",
        "char a",
    };
    runFor(10000, [&] { return form.log.size() >= expected.size(); });
    EXPECT_EQ(input.Wait(5000), 0);
    EXPECT_EQ(form.log, expected);
}

} // namespace
