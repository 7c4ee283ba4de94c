// The progress bar: its range rules, and painting at once while a handler holds the loop.
#include "controls/ProgressBar.hpp"
#include "ControlsFixture.hpp"
#include "controls/Theme.hpp"

namespace {

using ProgressBarTest = ControlsTest;

TEST_F(ProgressBarTest, PositionStaysInTheRange) {
    TProgressBar bar(nullptr);
    struct Case {
        int set, expected;
    };
    for (Case c : {Case{50, 50}, Case{-1, 0}, Case{101, 100}, Case{100, 100}}) {
        bar.SetPosition(c.set);
        EXPECT_EQ(bar.Position(), c.expected) << c.set;
    }
    bar.SetMax(40);
    EXPECT_EQ(bar.Position(), 40);
    bar.SetMax(-5);
    EXPECT_EQ(bar.Max(), 0);
    EXPECT_EQ(bar.Position(), 0);
}

TEST_F(ProgressBarTest, StepItAdvancesByStepAndWrapsPastMax) {
    TProgressBar bar(nullptr);
    bar.SetStep(30);
    std::vector<int> seen;
    for (int i = 0; i < 4; ++i) {
        bar.StepIt();
        seen.push_back(bar.Position());
    }
    EXPECT_EQ(seen, (std::vector<int>{30, 60, 90, 20}));
}

TEST_F(ProgressBarTest, EachStepInsideAHandlerReachesTheScreenAtOnce) {
    TProgressBar bar(&form);
    bar.SetParent(&form);
    bar.SetBounds(14, 20, 102, 16);
    bar.SetStep(1);
    std::vector<bool> filled;
    std::vector<int> presents;
    Run({[&] {
        // A long run: no messages are processed between the steps.
        for (int i = 0; i < 5; ++i) {
            bar.StepIt();
            int x = theme::kProgressFrame + bar.FilledWidth() - 1;
            filled.push_back(PixelAt(bar, x, 8) == Rgb(theme::Accent()) &&
                             PixelAt(bar, x + 1, 8) != Rgb(theme::Accent()));
            presents.push_back(backend_->PresentCount());
        }
    }});
    EXPECT_EQ(filled, std::vector<bool>(5, true));
    for (size_t i = 1; i < presents.size(); ++i)
        EXPECT_GT(presents[i], presents[i - 1]);
}

} // namespace
