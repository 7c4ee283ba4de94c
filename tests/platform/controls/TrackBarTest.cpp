// Track bars: OnChange on every change of position, by code, mouse or keys.
#include "controls/TrackBar.hpp"
#include "ControlsFixture.hpp"

namespace {

class TrackBarTest : public ControlsTest {
protected:
    TrackBarTest() : track(&form) {
        track.SetParent(&form);
        track.SetBounds(97, 6, 185, 22);
        track.SetMax(100);
        track.OnChange = [this](TObject*) { changes.push_back(track.Position()); };
    }
    TTrackBar track;
    std::vector<int> changes;
};

TEST_F(TrackBarTest, CodeChangesRaiseOnChangeOnlyWhenThePositionMoves) {
    track.SetPosition(10);
    track.SetPosition(10);
    track.SetPosition(500);
    track.SetMax(50);
    track.SetMax(-3);
    EXPECT_EQ(changes, (std::vector<int>{10, 100, 50, 0}));
    EXPECT_EQ(track.Max(), 0);
}

TEST_F(TrackBarTest, ThumbAndPixelsAgreeAtEveryPosition) {
    for (int p : {0, 1, 37, 99, 100}) {
        track.SetPosition(p);
        TRect thumb = track.ThumbRect();
        EXPECT_EQ(track.PositionAt(thumb.Left + thumb.Width() / 2), p);
    }
    EXPECT_EQ(track.PositionAt(-50), 0);
    EXPECT_EQ(track.PositionAt(1000), 100);
}

TEST_F(TrackBarTest, DraggingTheThumbFollowsThePointer) {
    track.SetMax(9);
    TRect thumb = track.ThumbRect();
    int grab = thumb.Left + thumb.Width() / 2 + 2; // a little right of the centre
    track.SetPosition(5);
    int target = track.ThumbRect().Left + thumb.Width() / 2 + 2;
    track.SetPosition(0);
    changes.clear();
    Run({[&] { Drag(track, grab, 11, target, 30); }});
    EXPECT_EQ(track.Position(), 5);
    EXPECT_EQ(changes.back(), 5);
}

TEST_F(TrackBarTest, AClickOnTheChannelJumpsThere) {
    track.SetMax(4);
    track.SetPosition(1);
    track.SetPosition(3);
    int x3 = track.ThumbRect().Left + track.ThumbRect().Width() / 2;
    track.SetPosition(0);
    Run({[&] { Click(track, x3, 11); }});
    EXPECT_EQ(track.Position(), 3);
}

TEST_F(TrackBarTest, KeysStepByLineAndPage) {
    track.SetPageSize(10);
    struct Case {
        int key, expected;
    };
    const Case cases[] = {{VK_RIGHT, 51}, {VK_DOWN, 51},  {VK_LEFT, 49}, {VK_UP, 49},
                          {VK_NEXT, 60},  {VK_PRIOR, 40}, {VK_HOME, 0},  {VK_END, 100}};
    for (Case c : cases) {
        track.SetPosition(50);
        Run({[&] {
            track.SetFocus();
            Key(c.key);
        }});
        EXPECT_EQ(track.Position(), c.expected) << c.key;
    }
}

TEST_F(TrackBarTest, TheSelectionBandShowsOnlyWithTheStyle) {
    track.SetSelStart(20);
    track.SetSelEnd(60);
    track.SetPosition(90);
    TColor onBand = 0;
    Run({[&] {
        TRect ch = track.ChannelRect();
        onBand = PixelAt(track, ch.Left + ch.Width() / 3, ch.Top + 1);
    }});
    EXPECT_TRUE(track.HasSelRangeStyle());
    EXPECT_EQ(onBand, Rgb(theme::Accent()));
}

} // namespace
