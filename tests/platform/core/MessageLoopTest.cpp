// Modal loops, the end of input, timers on the virtual clock and message boxes.
#include "Dialogs.hpp"
#include "Form.hpp"
#include "HeadlessFixture.hpp"
#include "Timer.hpp"

#include <string>
#include <vector>

namespace {

using MessageLoop = HeadlessTest;

TEST_F(MessageLoop, EndOfInputClosesTheModalFormThroughItsClosePath) {
    TForm form(nullptr);
    std::vector<std::string> seen;
    form.OnShow = [&](TObject*) { seen.push_back("show"); };
    form.OnClose = [&](TObject*, TCloseAction&) { seen.push_back("close"); };
    EXPECT_EQ(form.ShowModal(), mrCancel);
    EXPECT_EQ(seen, (std::vector<std::string>{"show", "close"}));
    EXPECT_FALSE(form.Visible());
    EXPECT_EQ(app_->ModalDepth(), 0);
}

TEST_F(MessageLoop, AFormThatRefusesToCloseStillEndsWhenInputRunsOut) {
    TForm form(nullptr);
    form.OnClose = [](TObject*, TCloseAction& action) { action = caNone; };
    EXPECT_EQ(form.ShowModal(), mrCancel);
}

TEST_F(MessageLoop, NestedModalFormsCloseFromTheTop) {
    TForm outer(nullptr), inner(nullptr);
    std::vector<std::string> closed;
    outer.OnClose = [&](TObject*, TCloseAction&) { closed.push_back("outer"); };
    inner.OnClose = [&](TObject*, TCloseAction&) { closed.push_back("inner"); };
    int depthInside = 0;
    Script({[&] {
        depthInside = -1;
        inner.OnShow = [&](TObject*) { depthInside = app_->ModalDepth(); };
        inner.ShowModal();
    }});
    outer.ShowModal();
    EXPECT_EQ(depthInside, 2);
    EXPECT_EQ(closed, (std::vector<std::string>{"inner", "outer"}));
}

TEST_F(MessageLoop, TimersTickInDeadlineOrderOnTheVirtualClock) {
    TForm form(nullptr);
    TTimer fast(&form), slow(&form);
    std::vector<std::pair<char, int64_t>> ticks;
    fast.SetInterval(30);
    slow.SetInterval(50);
    fast.OnTimer = [&](TObject*) { ticks.emplace_back('f', app_->NowMs()); };
    slow.OnTimer = [&](TObject*) { ticks.emplace_back('s', app_->NowMs()); };
    Script({[&] { app_->WaitUntil(app_->NowMs() + 100); },
            [&] {
                fast.SetEnabled(false);
                slow.SetEnabled(false);
            }});
    form.ShowModal();
    std::vector<std::pair<char, int64_t>> expected{
        {'f', 30}, {'s', 50}, {'f', 60}, {'f', 90}, {'s', 100}};
    EXPECT_EQ(ticks, expected);
}

TEST_F(MessageLoop, ADestroyedTimerNeverTicks) {
    TForm form(nullptr);
    auto* timer = new TTimer(&form);
    timer->SetInterval(10);
    int ticks = 0;
    timer->OnTimer = [&](TObject*) { ++ticks; };
    Script({[&] { app_->WaitUntil(10); }, [&] { delete timer; }, [&] { app_->WaitUntil(50); }});
    form.ShowModal();
    EXPECT_LE(ticks, 1);
}

TEST_F(MessageLoop, MessageBoxesPrintTheirTextAndAreAnswered) {
    testing::internal::CaptureStdout();
    ShowMessage("No image loaded/created, execution aborted!");
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "message: No image loaded/created, execution aborted!\n");
}

} // namespace

namespace {

TEST_F(HeadlessTest, AFailureLeftByAHandlerIsReportedAndTheLoopGoesOn) {
    bool after = false;
    app_->Post([] { throw std::runtime_error("The disk is full."); });
    app_->Post([] { throw std::bad_alloc(); });
    app_->Post([&] { after = true; });
    testing::internal::CaptureStdout();
    app_->HandleMessage();
    app_->ProcessMessages();
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "message: The disk is full.\nmessage: Not enough memory for this operation.\n");
    EXPECT_TRUE(after);
}

} // namespace
