// The sdl backend in this process, on a private X server: pictures reach the
// screen exactly, and a message box under a script answers itself.
#include "backends/sdl/SdlBackend.hpp"
#include "Application.hpp"
#include "Dialogs.hpp"
#include "Form.hpp"
#include "XvfbDisplay.hpp"

#include <atomic>
#include <deque>
#include <random>

namespace {

class SdlBackendTest : public XvfbTest {
protected:
    void SetUp() override {
        XvfbTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        setenv("DISPLAY", display_->Name().c_str(), 1);
        unsetenv("WAYLAND_DISPLAY");
        backend_ = CreateBackend("sdl");
        ASSERT_NE(backend_, nullptr) << "the sdl backend did not open " << display_->Name();
    }
    std::unique_ptr<Backend> backend_;
};

TBitmap Noise(int w, int h, uint32_t seed) {
    std::mt19937 random(seed);
    TBitmap picture(w, h, pf24bit);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            picture.SetPixel(x, y, random() & 0xFFFFFF);
    return picture;
}

TEST_F(SdlBackendTest, PicturesReachTheScreenExactlyAndReadBackAsPresented) {
    struct Size {
        int w, h;
        bool resizable;
    } sizes[] = {{1, 1, false}, {2, 3, true}, {7, 5, false}, {33, 17, true}, {641, 3, false}};
    int left = 20;
    for (const Size& s : sizes) {
        std::string title = "probe " + std::to_string(s.w) + "x" + std::to_string(s.h);
        int window = backend_->CreateWindow({title, left, 50, s.w, s.h, s.resizable});
        TBitmap none;
        EXPECT_FALSE(backend_->ReadPresented(window, none)) << title;
        backend_->ShowWindow(window, true);
        TBitmap first = Noise(s.w, s.h, s.w * 100 + s.h);
        backend_->Present(window, first, {0, 0, s.w, s.h});

        // Part of a second picture over the first: only that part changes.
        TBitmap second = Noise(s.w, s.h, 7), expected = first;
        TRect part{s.w / 3, s.h / 2, s.w, s.h};
        backend_->Present(window, second, part);
        for (int y = part.Top; y < part.Bottom; ++y)
            for (int x = part.Left; x < part.Right; ++x)
                expected.SetPixel(x, y, second.Pixel(x, y));

        TBitmap readBack, screen;
        ASSERT_TRUE(backend_->ReadPresented(window, readBack)) << title;
        EXPECT_EQ(xvfb::FirstDifference(expected, readBack), "") << title;
        auto shown = display_->FindWindow(title);
        ASSERT_TRUE(shown) << title;
        EXPECT_EQ(shown->x, left);
        EXPECT_EQ(shown->y, 50);
        // A window that may not be resized tells the window manager its only size.
        std::string hints = display_->Run("xprop -id " + shown->id + " WM_NORMAL_HINTS");
        std::string fixed = "maximum size: " + std::to_string(s.w) + " by " + std::to_string(s.h);
        EXPECT_EQ(hints.find(fixed) != std::string::npos, !s.resizable) << title << "\n" << hints;
        std::string error;
        ASSERT_TRUE(display_->Capture(shown->id, screen, error)) << error;
        EXPECT_EQ(xvfb::FirstDifference(expected, screen), "") << title << " on the screen";
        backend_->DestroyWindow(window);
        left += s.w + 10;
    }
}

// SDL makes a new, black window surface whenever the window is configured (as a
// window manager does when a window sizes itself just after being shown); the
// screen must go on showing the last picture presented.
TEST_F(SdlBackendTest, AWindowResizedAfterItsLastPresentStillShowsThatPicture) {
    const int w = 61, h = 37;
    int window = backend_->CreateWindow({"resized", 40, 60, w, h, false});
    backend_->ShowWindow(window, true);
    TBitmap picture = Noise(w, h, 11);
    backend_->Present(window, picture, {0, 0, w, h});
    backend_->SetWindowBounds(window, 40, 60, w + 20, h + 10);
    backend_->SetWindowBounds(window, 40, 60, w, h);
    // Lets the window events of both sizes arrive and be handled.
    InputEvent event;
    int64_t end = backend_->NowMs() + 500;
    while (backend_->NowMs() < end)
        backend_->WaitEvent(end, event);
    auto shown = display_->FindWindow("resized");
    ASSERT_TRUE(shown);
    TBitmap screen;
    std::string error;
    ASSERT_TRUE(display_->Capture(shown->id, screen, error)) << error;
    EXPECT_EQ(xvfb::FirstDifference(picture, screen), "");
    backend_->DestroyWindow(window);
}

// Feeds one call per step, as a script's lines would.
class Steps : public TInputScript {
public:
    explicit Steps(std::deque<std::function<void()>> steps) : steps_(std::move(steps)) {}
    bool Step() override {
        if (steps_.empty())
            return false;
        auto step = std::move(steps_.front());
        steps_.pop_front();
        step();
        return !steps_.empty();
    }

private:
    std::deque<std::function<void()>> steps_;
};

TEST_F(SdlBackendTest, AScriptedMessageBoxShowsOverItsWindowThenTheScriptGoesOn) {
    TApplication app(std::move(backend_));
    auto form = std::make_unique<TForm>(nullptr);
    form->SetCaption("Owner");
    form->SetPosition(poScreenCenter);
    form->SetClientSize(400, 300);

    // Looks for the box from another thread while the script's step is blocked in it.
    std::atomic<bool> looking{true};
    std::optional<xvfb::WindowInfo> box;
    std::thread watcher([&] {
        xvfb::WaitFor(
            [&] {
                box = display_->FindWindow("Tweenkit");
                return box || !looking;
            },
            20000);
    });
    int64_t asked = -1, answered = -1, nextStep = -1;
    app.SetScript(std::make_unique<Steps>(std::deque<std::function<void()>>{
        [&] {
            asked = app.NowMs();
            ShowMessage("Saved.");
            answered = app.NowMs();
        },
        [&] { nextStep = app.NowMs(); },
        [] {},
    }));
    form->ShowModal(); // ends with the script, as on the headless backend
    looking = false;
    watcher.join();

    ASSERT_TRUE(box) << "no message box appeared";
    EXPECT_GE(answered - asked, SdlBackend::kScriptedBoxMs);
    EXPECT_GE(nextStep, answered);
    auto owner = display_->FindWindow("Owner");
    ASSERT_FALSE(owner) << "the form should be closed when the script ends";
    // Centred over the form's client area, which is centred on the 1280 x 1024 screen.
    EXPECT_NEAR(box->x + box->width / 2, 640, 16);
    EXPECT_NEAR(box->y + box->height / 2, 512 + form->CaptionHeight() / 2, 16);
    EXPECT_FALSE(display_->FindWindow("Tweenkit")) << "the box is still up";
}

} // namespace
