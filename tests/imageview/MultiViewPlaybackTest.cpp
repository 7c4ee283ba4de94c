// Playback on the view's own timer, timed by the headless virtual clock.
#include "HeadlessFixture.hpp"
#include "MultiView.hpp"

#include "Form.hpp"

#include <utility>
#include <vector>

namespace {

TColor FrameColour(int i) {
    return RGB(40 * (i + 1), 0, 0);
}

class Playback : public HeadlessTest {
protected:
    Playback() {
        form_.SetClientSize(60, 60);
        view_.SetParent(&form_);
        view_.SetBorderStyle(bsNone);
        view_.SetBounds(0, 0, 40, 40);
        view_.SetDisplayMode(mdSingle);
        view_.SetThumbWidth(40);
        view_.SetThumbHeight(40);
        view_.OnImageDraw = [this](TObject*, int idx, int, int, TCanvas&) {
            draws_.emplace_back(idx, app_->NowMs());
        };
    }
    void AddFrames(std::vector<int> delays) {
        for (int delay : delays) {
            int i = view_.AppendImage();
            TBitmap frame(4, 4, pf24bit);
            frame.Canvas().Brush.Color = FrameColour(i);
            frame.Canvas().FillRect({0, 0, 4, 4});
            view_.SetImage(i, frame);
            view_.SetImageDelayTime(i, delay);
        }
    }
    // Runs the steps in a shown form; each step may wait with Wait(ms).
    void Run(std::deque<std::function<void()>> steps) {
        Script(std::move(steps));
        form_.ShowModal();
    }
    void Wait(int ms) { app_->WaitUntil(app_->NowMs() + ms); }
    TColor Shown() { return form_.Picture().Pixel(20, 20); }

    TForm form_{nullptr};
    TMultiView view_{&form_};
    std::vector<std::pair<int, int64_t>> draws_; // (frame, time) of every OnImageDraw
};

TEST_F(Playback, EachFrameIsDrawnOnceAndStaysForItsDelayOfAtLeastTenMs) {
    AddFrames({0, 5, 250});
    int64_t start = 0;
    std::vector<std::pair<int, int64_t>> seen;
    Run({[&] {
             draws_.clear();
             start = app_->NowMs();
             view_.SetPlaying(true);
         },
         [&] { Wait(285); },
         [&] {
             seen = draws_;
             view_.SetPlaying(false);
         }});
    std::vector<std::pair<int, int64_t>> expected = {{0, start},       {1, start + 10},
                                                     {2, start + 20},  {0, start + 270},
                                                     {1, start + 280}, {2, start + 290}};
    // The wait ends at start + 285: the step at 290 must not have happened.
    expected.pop_back();
    EXPECT_EQ(seen, expected);
    // Stopped, the next paint shows the frame that was due next.
    EXPECT_EQ(draws_.back().first, 2);
    EXPECT_EQ(draws_.size(), seen.size() + 1);
}

TEST_F(Playback, ThePaintAfterAStepShowsThatFrameNotTheNextOne) {
    AddFrames({100, 100});
    TColor afterStart = 0, afterStep = 0;
    size_t drawsAfterStart = 0;
    Run({[&] {
             draws_.clear();
             view_.SetPlaying(true);
         },
         [&] {
             afterStart = Shown(); // the form has painted its pending invalidation by now
             drawsAfterStart = draws_.size();
             Wait(100);
         },
         [&] { afterStep = Shown(); }, [&] { view_.SetPlaying(false); }});
    EXPECT_EQ(afterStart, FrameColour(0));
    EXPECT_EQ(drawsAfterStart, 1u);
    EXPECT_EQ(afterStep, FrameColour(1));
}

TEST_F(Playback, WithoutLoopItStopsAfterPaintingTheLastFrame) {
    AddFrames({10, 10, 10});
    view_.LoopPlayback = false;
    bool playing = true;
    Run({[&] {
             draws_.clear();
             view_.SetPlaying(true);
         },
         [&] { Wait(100); }, [&] { playing = view_.Playing(); }});
    ASSERT_EQ(draws_.size(), 3u);
    EXPECT_EQ(draws_.back().first, 2);
    EXPECT_FALSE(playing);
    EXPECT_EQ(view_.VisibleFrame(), 0);
}

TEST_F(Playback, SetVisibleFrameDuringPlayChoosesTheNextFrame) {
    AddFrames({50, 50, 50, 50});
    std::vector<std::pair<int, int64_t>> seen;
    int next = -1;
    Run({[&] {
             view_.SetPlaying(true);
             draws_.clear();
             view_.SetVisibleFrame(3);
         },
         [&] { Wait(60); },
         [&] {
             seen = draws_;
             next = view_.VisibleFrame();
             view_.SetPlaying(false);
         }});
    // Drawn at the next paint, then again by the timed step, after which the list wraps.
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].first, 3);
    EXPECT_EQ(seen[1].first, 3);
    EXPECT_EQ(seen[1].second - seen[0].second, 50);
    EXPECT_EQ(next, 0);
}

TEST_F(Playback, StartAndStopRestoreModeAndSelection) {
    AddFrames({10, 10});
    view_.SetDisplayMode(mdGrid);
    view_.SetSelectedItem(1);
    TDisplayMode during = mdGrid;
    int selectedDuring = 0;
    Run({[&] {
             view_.SetPlaying(true);
             during = view_.DisplayMode();
             selectedDuring = view_.SelectedItem();
             view_.SetSelectedItem(0); // ignored while playing
             view_.SetDisplayMode(mdSingle);
         },
         [&] { view_.SetPlaying(false); }});
    EXPECT_EQ(during, mdSingle);
    EXPECT_EQ(selectedDuring, -1);
    EXPECT_EQ(view_.DisplayMode(), mdSingle); // remembered while playing, applied at the end
    EXPECT_EQ(view_.SelectedItem(), 1);
}

TEST_F(Playback, AnEmptyListShowsNothingUntilFramesArriveAndClearStops) {
    bool playingEmpty = false, playingAfterAppend = true, playingAfterClear = true;
    int count = -1;
    Run({[&] {
             view_.SetPlaying(true);
             playingEmpty = view_.Playing();
             Wait(100);
         },
         [&] {
             AddFrames({10, 10}); // AppendImage stops playback
             playingAfterAppend = view_.Playing();
             draws_.clear();
             view_.SetPlaying(true);
         },
         [&] { Wait(15); },
         [&] {
             view_.Clear();
             playingAfterClear = view_.Playing();
             count = view_.GetImageCount();
             Wait(100);
         }});
    EXPECT_TRUE(playingEmpty);
    EXPECT_FALSE(playingAfterAppend);
    EXPECT_FALSE(playingAfterClear);
    EXPECT_EQ(count, 0);
    ASSERT_GE(draws_.size(), 2u);
    EXPECT_EQ(draws_[0].first, 0);
    EXPECT_EQ(draws_[1].first, 1);
}

} // namespace
