// Opening the editor: frames from the host, spin-edit ranges, warp-only mode,
// a host without a usable image, resizing and closing.
#include "EditorFixture.hpp"

#include "FlatSpinEdit.hpp"
#include "controls/Label.hpp"
#include "controls/Panel.hpp"

namespace {

struct RangeCase {
    int width, height;
    int vMax, vValue, hMax, hValue;
};

class SpinRanges : public EditorTest, public ::testing::WithParamInterface<RangeCase> {};

TEST_P(SpinRanges, FollowTheImageSize) {
    const RangeCase c = GetParam();
    host.AddFrame(c.width, c.height, clWhite);
    host.AddFrame(c.width, c.height, clBlack);
    Open();
    EXPECT_EQ(editor->MeshColumnsEdit->MinValue(), 1);
    EXPECT_EQ(editor->MeshColumnsEdit->MaxValue(), c.vMax);
    EXPECT_EQ(editor->MeshColumnsEdit->Value(), c.vValue);
    EXPECT_EQ(editor->MeshRowsEdit->MaxValue(), c.hMax);
    EXPECT_EQ(editor->MeshRowsEdit->Value(), c.hValue);
}

INSTANTIATE_TEST_SUITE_P(Editor, SpinRanges,
                         ::testing::Values(RangeCase{640, 480, 32, 16, 24, 12},
                                           RangeCase{4000, 3000, 100, 50, 100, 50},
                                           // Equal limits 1 and 1 take the value 0 unclamped.
                                           RangeCase{30, 40, 1, 0, 2, 1},
                                           // Limits 1 and 0 clamp the value 0 up to 1.
                                           RangeCase{10, 10, 0, 1, 0, 1}),
                         [](const ::testing::TestParamInfo<RangeCase>& info) {
                             return std::to_string(info.param.width) + "x" +
                                    std::to_string(info.param.height);
                         });

TEST_F(EditorTest, ShowsTheStartAndFinalFramesAtTheStartFramesSize) {
    host.AddFrame(64, 48, clRed);
    host.AddFrame(32, 24, clBlue);
    Open();
    EXPECT_FALSE(editor->WarpOnly);
    EXPECT_EQ(editor->WarpOnlyLabel->Caption(), "");
    EXPECT_EQ(editor->ImageWidth, 64);
    EXPECT_EQ(editor->MaxY, 47);
    const TBitmap* right = editor->RightView->GetFBitmap();
    ASSERT_EQ(right->Width(), 64);
    // The smaller final frame covers the top left; the start frame shows around it.
    EXPECT_EQ(right->Pixel(0, 0), clBlue);
    EXPECT_EQ(right->Pixel(40, 30), clRed);
    EXPECT_EQ(editor->LeftView->GetFBitmap()->Pixel(0, 0), clRed);
    EXPECT_EQ(host.commands, (std::vector<int32_t>{8, 9, 8, 9}));
}

TEST_F(EditorTest, OpensInWarpOnlyModeWithoutAFrameAfterTheSelectedOne) {
    for (int frames : {1, 3}) {
        host.frames.clear();
        host.list.Clear();
        for (int i = 0; i < frames; ++i)
            host.AddFrame(20, 20, i == frames - 1 ? clGreen : clBlack);
        Open(frames - 1);
        EXPECT_TRUE(editor->WarpOnly) << frames;
        EXPECT_EQ(editor->WarpOnlyLabel->Caption(), "Warp only mode!");
        EXPECT_EQ(editor->RightView->GetFBitmap()->Pixel(5, 5), clGreen);
        editor.reset();
    }
}

TEST_F(EditorTest, AHostWithoutAnImageClosesTheEditorWithTheMessage) {
    host.AddFrame(20, 20, clBlack);
    host.lendImages = false;
    testing::internal::CaptureStdout();
    Open();
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "message: No image loaded/created, execution aborted!\n");
    EXPECT_TRUE(editor->NoImage());
    EXPECT_EQ(host.commands, (std::vector<int32_t>{8, 9}));
}

TEST_F(EditorTest, ASelectionOfNoFrameIsRefusedLikeAMissingImage) {
    // An empty list selects -1; the host lends nothing for it.
    testing::internal::CaptureStdout();
    Open(-1);
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "message: No image loaded/created, execution aborted!\n");
    EXPECT_TRUE(editor->NoImage());
    EXPECT_EQ(host.exchange.FrameIndex, -1);
}

TEST_F(EditorTest, ResizingGivesTheLeftPanelHalfTheClientWidth) {
    host.AddFrame(64, 48, clWhite);
    host.AddFrame(64, 48, clWhite);
    Open();
    EXPECT_EQ(editor->PanelLeft->Width(), editor->ClientWidth() / 2);
    editor->SetClientWidth(801);
    EXPECT_EQ(editor->PanelLeft->Width(), 400);
}

TEST_F(EditorTest, ClosingReleasesTheViewsAndTheRecord) {
    host.AddFrame(64, 48, clWhite);
    Open();
    editor->Close();
    EXPECT_EQ(editor->LeftView, nullptr);
    EXPECT_EQ(editor->RightView, nullptr);
    EXPECT_EQ(editor->Warp, nullptr);
}

} // namespace
