// TScrollBar: arrows, track, thumb drag and keys, each raising OnScroll with the proposed
// position that the handler may change.
#include "HeadlessFixture.hpp"

#include "Form.hpp"
#include "controls/ScrollBar.hpp"

#include <utility>
#include <vector>

namespace {

class ScrollBarInput : public HeadlessTest {
protected:
    ScrollBarInput() {
        form_.SetClientSize(300, 100);
        bar_.SetParent(&form_);
        bar_.SetBounds(0, 0, 216, TScrollBar::kThickness); // track 184 pixels
        bar_.SetRange(0, 99);
        bar_.SetPageSize(10);
        bar_.SetSmallChange(1);
        bar_.SetLargeChange(10);
        bar_.OnScroll = [this](TObject*, TScrollCode code, int& pos) {
            log_.emplace_back(code, pos);
        };
    }
    void Click(int x) {
        Post(InputKind::MouseDown, form_.WindowId(), x, 8);
        Post(InputKind::MouseUp, form_.WindowId(), x, 8);
    }
    void Key(int vk) {
        InputEvent e;
        e.kind = InputKind::KeyDown;
        e.window = form_.WindowId();
        e.key = vk;
        app_->PostInput(e);
    }
    TForm form_{nullptr};
    TScrollBar bar_{&form_};
    std::vector<std::pair<TScrollCode, int>> log_;
};

TEST_F(ScrollBarInput, ArrowsTrackAndKeysStepAndStopAtTheEnds) {
    std::vector<int> positions;
    Script({[&] { Click(210); }, [&] { positions.push_back(bar_.Position()); },
            [&] { Click(190); }, // the track after the thumb
            [&] { positions.push_back(bar_.Position()); }, [&] { Click(3); },
            [&] { positions.push_back(bar_.Position()); }, [&] { Key(VK_END); },
            [&] { positions.push_back(bar_.Position()); }, [&] { Click(210); },
            [&] { positions.push_back(bar_.Position()); }, [&] { Key(VK_HOME); },
            [&] { positions.push_back(bar_.Position()); }});
    form_.ShowModal();
    EXPECT_EQ(positions, (std::vector<int>{1, 11, 10, 90, 90, 0}));
    std::vector<std::pair<TScrollCode, int>> expected = {{scLineDown, 1},  {scPageDown, 11},
                                                         {scLineUp, 10},   {scBottom, 90},
                                                         {scLineDown, 90}, {scTop, 0}};
    EXPECT_EQ(log_, expected);
    EXPECT_EQ(bar_.MaxPosition(), 90);
}

TEST_F(ScrollBarInput, DraggingTheThumbTracksAndEndsWithItsPosition) {
    int grab = 0;
    Script({[&] {
        grab = bar_.ThumbStart() + 2;
        Post(InputKind::MouseDown, form_.WindowId(), grab, 8);
        Post(InputKind::MouseMove, form_.WindowId(), grab + 40, 8);
        Post(InputKind::MouseMove, form_.WindowId(), grab + 1000, 8);
        Post(InputKind::MouseUp, form_.WindowId(), grab + 1000, 8);
    }});
    form_.ShowModal();
    ASSERT_EQ(log_.size(), 4u);
    EXPECT_EQ(log_[0].first, scTrack);
    EXPECT_GT(log_[0].second, 0);
    EXPECT_LT(log_[0].second, 90);
    EXPECT_EQ(log_[1], std::make_pair(scTrack, 90)); // held at the end
    EXPECT_EQ(log_[2], std::make_pair(scPosition, 90));
    EXPECT_EQ(log_[3].first, scEndScroll);
    EXPECT_EQ(bar_.Position(), 90);
    EXPECT_EQ(bar_.ThumbStart() + bar_.ThumbLength(), 216 - TScrollBar::kThickness);
}

TEST_F(ScrollBarInput, TheHandlerDecidesThePositionAndSetPositionRaisesNoScroll) {
    int changes = 0;
    bar_.OnChange = [&](TObject*) { ++changes; };
    bar_.OnScroll = [](TObject*, TScrollCode, int& pos) { pos = 42; };
    bar_.Scroll(scLineDown);
    EXPECT_EQ(bar_.Position(), 42);
    bar_.SetPosition(500); // clamped to the highest position
    EXPECT_EQ(bar_.Position(), 90);
    bar_.SetPosition(-3);
    EXPECT_EQ(bar_.Position(), 0);
    EXPECT_EQ(changes, 3);
    bar_.SetRange(10, 5); // max below min is raised to min
    EXPECT_EQ(bar_.Max(), 10);
    EXPECT_EQ(bar_.Position(), 10);
}

} // namespace
