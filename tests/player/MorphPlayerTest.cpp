// The preview player: sizing to the first frame, slider, label and view in step, playback,
// closing.
#include "ControlsFixture.hpp"
#include "MorphPlayer_frm.hpp"
#include "MultiView.hpp"
#include "controls/Label.hpp"
#include "controls/SpeedButton.hpp"
#include "graphics/ImageFile.hpp"
#include "xTrackBar.hpp"

#include <cstdlib>

namespace {

// A frame of w x h in a colour that tells the frames apart.
TBitmap Frame(int w, int h, int index) {
    TBitmap frame(w, h);
    frame.Canvas().Brush.Color = RGB(40 * index % 256, 200 - 30 * index % 200, 90);
    frame.Canvas().FillRect({0, 0, w, h});
    return frame;
}

class PlayerTest : public HeadlessTest {
protected:
    // A player holding count frames of w x h, each shown for delay ms.
    std::unique_ptr<TfrmMorphPlayer> MakePlayer(int count, int w, int h, int delay = 100) {
        auto player = std::make_unique<TfrmMorphPlayer>(app_.get());
        for (int i = 0; i < count; ++i) {
            int idx = player->VA_MView->AppendImage();
            player->VA_MView->SetImage(idx, Frame(w, h, i));
            player->VA_MView->SetImageDelayTime(idx, delay);
        }
        return player;
    }
    void Click(TControl& control) {
        TPoint o = control.FormOrigin();
        for (InputKind kind : {InputKind::MouseMove, InputKind::MouseDown, InputKind::MouseUp}) {
            InputEvent e;
            e.kind = kind;
            e.window = control.Form()->WindowId();
            e.x = o.x + control.Width() / 2;
            e.y = o.y + control.Height() / 2;
            app_->PostInput(e);
        }
    }
    void Drag(TControl& control, int x1, int x2) {
        TPoint o = control.FormOrigin();
        int y = o.y + control.Height() / 2;
        for (auto [kind, x] : {std::pair{InputKind::MouseMove, x1},
                               {InputKind::MouseDown, x1},
                               {InputKind::MouseMove, x2},
                               {InputKind::MouseUp, x2}}) {
            InputEvent e;
            e.kind = kind;
            e.window = control.Form()->WindowId();
            e.x = o.x + x;
            e.y = y;
            app_->PostInput(e);
        }
    }
    void Wait(int ms) { app_->WaitUntil(app_->NowMs() + ms); }
    // Column of the slider's thumb centre at a position.
    static int ThumbCentre(TxTrackBar& track, int position) {
        int saved = track.Position();
        auto handler = std::move(track.OnChange);
        track.OnChange = nullptr;
        track.SetPosition(position);
        TRect thumb = track.ThumbRect();
        track.SetPosition(saved);
        track.OnChange = std::move(handler);
        return thumb.Left + thumb.Width() / 2;
    }
};

TEST_F(PlayerTest, TheWindowSizesItselfToTheFirstFrameWithinTheLimits) {
    struct Case {
        int w, h, cellW, cellH;
    };
    const Case cases[] = {
        {200, 150, 300, 150}, {150, 200, 300, 200},    {200, 20, 300, 100},
        {320, 240, 320, 240}, {1300, 1000, 1180, 924},
    };
    for (Case c : cases) {
        auto player = MakePlayer(2, c.w, c.h);
        // The second frame's size never matters.
        player->VA_MView->SetImage(1, Frame(c.w * 2, c.h * 2, 1));
        Script({});
        player->ShowModal();
        EXPECT_EQ(player->VA_MView->ThumbWidth(), c.cellW) << c.w << "x" << c.h;
        EXPECT_EQ(player->VA_MView->ThumbHeight(), c.cellH) << c.w << "x" << c.h;
        EXPECT_EQ(player->ClientWidth(), c.cellW + 8);
        EXPECT_EQ(player->ClientHeight(), c.cellH + 60 + 8);
    }
    EXPECT_EQ(PlayerMaxWidth, 1280 - 100);
    EXPECT_EQ(PlayerMaxHeight, 1024 - 100);
}

TEST_F(PlayerTest, ASingleFrameGivesMaxZeroAndBothEndsShowIt) {
    auto player = MakePlayer(1, 200, 150);
    std::vector<int> shown;
    Script({[&] { Click(*player->VA_end); },
            [&] {
                shown.push_back(player->VA_MView->VisibleFrame());
                Click(*player->VA_begin);
            },
            [&] { shown.push_back(player->VA_MView->VisibleFrame()); }});
    player->ShowModal();
    EXPECT_EQ(player->VA_track->Max(), 0);
    EXPECT_EQ(shown, (std::vector<int>{0, 0}));
    EXPECT_EQ(player->VA_lab->Caption(), "0");
}

TEST_F(PlayerTest, DraggingTheSliderShowsTheFrameAndTheLabelFollows) {
    auto player = MakePlayer(10, 200, 150);
    std::string labelBeforeAnyDraw;
    int frame = -1, position = -1;
    std::string label;
    bool handlersAttached = false;
    Script({[&] {
                TxTrackBar& track = *player->VA_track;
                Drag(track, ThumbCentre(track, 0), ThumbCentre(track, 5));
            },
            [&] {
                frame = player->VA_MView->VisibleFrame();
                position = player->VA_track->Position();
                label = player->VA_lab->Caption();
                handlersAttached = player->VA_MView->OnImageDraw && player->VA_track->OnChange;
            }});
    player->OnShow = [&, show = player->OnShow](TObject* s) {
        show(s);
        labelBeforeAnyDraw = player->VA_lab->Caption();
    };
    player->ShowModal();
    EXPECT_EQ(labelBeforeAnyDraw, "100");
    EXPECT_EQ(frame, 5);
    EXPECT_EQ(position, 5);
    EXPECT_EQ(label, "5");
    EXPECT_TRUE(handlersAttached);
}

TEST_F(PlayerTest, TheEndButtonMovesTheSliderWithoutSettingTheFrameAgain) {
    auto player = MakePlayer(4, 200, 150);
    std::vector<int> frames;
    Script({[&] { Click(*player->VA_end); },
            [&] {
                frames.push_back(player->VA_track->Position());
                frames.push_back(player->VA_MView->VisibleFrame());
            }});
    player->ShowModal();
    EXPECT_EQ(frames, (std::vector<int>{3, 3}));
    EXPECT_EQ(player->VA_lab->Caption(), "3");
}

TEST_F(PlayerTest, PlaybackMovesTheSliderAndTheLabel) {
    auto player = MakePlayer(4, 200, 150, 100);
    std::vector<std::pair<int, std::string>> seen;
    auto look = [&] { seen.emplace_back(player->VA_track->Position(), player->VA_lab->Caption()); };
    Script({[&] { Click(*player->VA_play); }, [&] { Wait(150); },
            [&] {
                look();
                Wait(100);
            },
            [&] {
                look();
                Wait(200);
            },
            [&] {
                look();
                Click(*player->VA_play);
            },
            [&] { EXPECT_FALSE(player->VA_MView->Playing()); }});
    player->ShowModal();
    // Frames at 0, 100, 200, 300 ms, then the first again at 400 ms.
    EXPECT_EQ(seen, (std::vector<std::pair<int, std::string>>{{1, "1"}, {2, "2"}, {0, "0"}}));
}

TEST_F(PlayerTest, ClosingClearsAndTheNextPlayerHoldsOnlyItsOwnFrames) {
    auto first = MakePlayer(3, 200, 150);
    Script({[&] {
        InputEvent e;
        e.kind = InputKind::Close;
        e.window = first->WindowId();
        app_->PostInput(e);
    }});
    first->ShowModal();
    EXPECT_EQ(first->VA_MView->GetImageCount(), 0);
    first.reset();
    auto second = MakePlayer(2, 150, 200);
    int shownCount = -1;
    Script({[&] { shownCount = second->VA_MView->GetImageCount(); }});
    second->ShowModal();
    EXPECT_EQ(shownCount, 2);
    EXPECT_EQ(second->VA_track->Max(), 1);
}

// Writes a picture of a player with a few frames where TWEENKIT_PLAYER_SHOT names a file.
TEST_F(PlayerTest, Shot) {
    const char* path = std::getenv("TWEENKIT_PLAYER_SHOT");
    if (!path)
        GTEST_SKIP() << "set TWEENKIT_PLAYER_SHOT to write a picture";
    auto player = MakePlayer(6, 200, 150);
    for (int i = 0; i < 6; ++i) {
        TBitmap frame = Frame(200, 150, i);
        frame.Canvas().Brush.Color = clWhite;
        frame.Canvas().Ellipse(30 + 20 * i, 40, 90 + 20 * i, 100);
        player->VA_MView->SetImage(i, frame);
    }
    Script({[&] { Click(*player->VA_play); }, [&] { Wait(250); }, [&] { Click(*player->VA_play); },
            [&] {
                std::string error;
                EXPECT_TRUE(SavePng(path, player->Picture(), error)) << error;
            }});
    player->ShowModal();
}

} // namespace
