// TxTrackBar: the selection band follows EnableSelRange, re-created at once or after loading.
#include "ControlsFixture.hpp"
#include "xTrackBar.hpp"

namespace {

class TxTrackBarTest : public ControlsTest {
protected:
    TxTrackBarTest() : track(&form) {
        track.SetParent(&form);
        track.SetBounds(10, 10, 185, 22);
        track.SetMax(100);
        track.SetSelStart(20);
        track.SetSelEnd(60);
        track.SetPosition(90);
    }
    TColor BandPixel() {
        TRect ch = track.ChannelRect();
        return PixelAt(track, ch.Left + ch.Width() / 3, ch.Top + 1);
    }
    TxTrackBar track;
};

TEST_F(TxTrackBarTest, TheBandShowsOnlyWhileEnabled) {
    std::vector<bool> band, style;
    auto look = [&] {
        band.push_back(BandPixel() == Rgb(theme::Accent()));
        style.push_back(track.HasSelRangeStyle());
    };
    Run({[&] {
             look();
             track.SetEnableSelRange(true);
             style.push_back(track.HasSelRangeStyle()); // re-created at once
         },
         [&] {
             look();
             track.SetEnableSelRange(false);
         },
         look});
    EXPECT_EQ(band, (std::vector<bool>{false, true, false}));
    EXPECT_EQ(style, (std::vector<bool>{false, true, true, false}));
}

TEST_F(TxTrackBarTest, WhileLoadingTheStyleWaitsForLoaded) {
    std::vector<bool> style;
    Run({[&] {
        track.BeginLoading();
        track.SetEnableSelRange(true);
        style.push_back(track.HasSelRangeStyle());
        track.Loaded();
        style.push_back(track.HasSelRangeStyle());
        track.SetEnableSelRange(true); // the same value: nothing to do
        style.push_back(track.HasSelRangeStyle());
    }});
    EXPECT_EQ(style, (std::vector<bool>{false, true, true}));
    EXPECT_FALSE(track.Loading());
}

} // namespace
