// The host's command callback: lending frames, and where new frames go with which delay.
#include "HostSession.hpp"
#include "Application.hpp"
#include "backends/headless/HeadlessBackend.hpp"

#include <gtest/gtest.h>

namespace {

class Session : public ::testing::Test {
protected:
    Session() {
        for (TColor c : {clRed, clGreen, clBlue}) {
            TBitmap image(4, 3, pf24bit);
            image.SetPixel(0, 0, c);
            frames.SetImage(frames.AppendImage(), image);
        }
    }
    // Hands a one-pixel-marked frame to the host with a command.
    void Put(HostSession& session, int32_t code, TColor mark, int delay) {
        TBitmap frame(4, 3, pf24bit);
        frame.SetPixel(0, 0, mark);
        FrameExchange* exchange = session.Context()->Exchange;
        exchange->FrameIndex = frames.GetImageCount() - 1;
        exchange->Delay = delay;
        exchange->Graphic = &frame;
        session.Command(code);
        frame.SetPixel(0, 0, clBlack); // the module reuses its bitmap at once
    }
    TApplication app{std::make_unique<HeadlessBackend>()};
    TMultiView frames{nullptr};
};

TEST_F(Session, LendsACopyOfTheFrameAtTheIndexUntilReleased) {
    HostSession session(frames);
    FrameExchange* exchange = session.Context()->Exchange;
    exchange->FrameIndex = 2;
    session.Command(8);
    ASSERT_NE(exchange->Graphic, nullptr);
    EXPECT_EQ(exchange->Graphic->Pixel(0, 0), clBlue);
    EXPECT_EQ(exchange->Graphic->Width(), 4);
    session.Command(9);
    EXPECT_EQ(exchange->Graphic, nullptr);
    exchange->FrameIndex = 7;
    session.Command(8);
    EXPECT_EQ(exchange->Graphic, nullptr);
}

TEST_F(Session, NewFramesFollowTheSelectedFrameInOrderWithDelaysInMilliseconds) {
    for (int32_t code : {6, 7}) {
        SCOPED_TRACE(code);
        TMultiView fresh(nullptr);
        frames.Clear();
        for (TColor c : {clRed, clGreen, clBlue}) {
            TBitmap image(4, 3, pf24bit);
            image.SetPixel(0, 0, c);
            frames.SetImage(frames.AppendImage(), image);
        }
        frames.SetSelectedItem(0);
        HostSession session(frames);
        Put(session, code, clYellow, 10);
        Put(session, code, clAqua, 25);
        ASSERT_EQ(frames.GetImageCount(), 5);
        TColor expected[] = {clRed, clYellow, clAqua, clGreen, clBlue};
        for (int i = 0; i < 5; ++i)
            EXPECT_EQ(frames.GetImage(i)->Pixel(0, 0), expected[i]) << i;
        EXPECT_EQ(frames.GetImageDelayTime(1), 100);
        EXPECT_EQ(frames.GetImageDelayTime(2), 250);
        EXPECT_EQ(frames.SelectedItem(), 0);
    }
}

TEST_F(Session, TheContextTellsWhetherAnImageAndASequenceExist) {
    HostSession session(frames);
    HostContext* context = session.Context();
    EXPECT_NE(*context->CurrentImageSlot, nullptr);
    EXPECT_EQ(context->Sequence->FrameList, &frames);
    session.SetStill(true);
    EXPECT_EQ(context->Sequence->FrameList, nullptr);
}

} // namespace
