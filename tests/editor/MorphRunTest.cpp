// The run buttons: refusals, preview and final frame counts, warp-only runs,
// a failing run, and what the editor window does afterwards.
#include "EditorFixture.hpp"

#include "../platform/core/HeadlessFixture.hpp"
#include "FlatPanel.hpp"
#include "FlatRadioButton.hpp"
#include "FlatSpinEdit.hpp"
#include "MorphPlayer_frm.hpp"
#include "Screen.hpp"
#include "controls/Label.hpp"
#include "controls/Panel.hpp"
#include "controls/ProgressBar.hpp"

namespace {

class MorphRun : public EditorTest {
protected:
    void OpenOn(int frames, int width = 64, int height = 48) {
        for (int i = 0; i < frames; ++i)
            host.AddFrame(width, height, i == 0 ? clRed : clBlue);
        Open();
    }
    // Runs a preview and reports what the player held while it was open.
    struct PreviewSeen {
        int frames = -1;
        int width = 0, height = 0;
        int delay = 0;
        TColor first = clNone, last = clNone;
    };
    PreviewSeen Preview() {
        PreviewSeen seen;
        app.SetScript(std::make_unique<StepScript>(std::deque<std::function<void()>>{[&] {
            TMultiView* list = frmMorphPlayer->VA_MView;
            seen.frames = list->GetImageCount();
            seen.width = list->GetImageWidth(0);
            seen.height = list->GetImageHeight(0);
            seen.delay = list->GetImageDelayTime(0);
            TBitmap first, last;
            if (seen.frames > 0) {
                seen.first = list->GetImage(0)->Pixel(1, 1);
                seen.last = list->GetImage(seen.frames - 1)->Pixel(1, 1);
            }
        }}));
        testing::internal::CaptureStdout();
        editor->MorphPreview_btnClick(nullptr);
        output = testing::internal::GetCapturedStdout();
        return seen;
    }
    void Final() {
        testing::internal::CaptureStdout();
        editor->MorphFinal_btnClick(nullptr);
        output = testing::internal::GetCapturedStdout();
    }
    void NewMesh() { editor->WarpMeshG_btnClick(nullptr); }
    std::string output;
};

TEST_F(MorphRun, BothButtonsRefuseWithoutGeometryInEitherMethod) {
    OpenOn(2);
    for (bool field : {false, true}) {
        if (field)
            editor->FieldMethodRadio->SetChecked(true);
        Preview();
        EXPECT_EQ(output, "message: No mesh created, action not performed!\n");
        Final();
        EXPECT_EQ(output, "message: No mesh created, action not performed!\n");
        EXPECT_TRUE(editor->Visible());
        EXPECT_EQ(host.received.size(), 0u);
    }
}

TEST_F(MorphRun, APreviewHoldsTheScaledSourceTheInBetweensAndTheDestination) {
    OpenOn(2, 640, 480);
    NewMesh();
    const PreviewSeen seen = Preview();
    EXPECT_EQ(output, "");
    EXPECT_EQ(seen.frames, 12);
    EXPECT_EQ(seen.width, 200);
    EXPECT_EQ(seen.height, 150);
    EXPECT_EQ(seen.delay, 100);
    EXPECT_EQ(seen.first, clRed);
    EXPECT_EQ(seen.last, clBlue);
    EXPECT_DOUBLE_EQ(editor->RunScale, 0.3125);
    EXPECT_TRUE(editor->Visible()); // a preview leaves the editor open
    EXPECT_EQ(editor->ProgressBar->Position(), 10);
}

TEST_F(MorphRun, APreviewOfAnOddSizeRoundsItsSidesUp) {
    OpenOn(2, 302, 200);
    NewMesh();
    const PreviewSeen seen = Preview();
    EXPECT_EQ(seen.width, 201);
    EXPECT_EQ(seen.height, 133);
}

TEST_F(MorphRun, AFinalRunSendsTheInBetweensWithCommandSixAndCloses) {
    OpenOn(2);
    NewMesh();
    editor->DelayEdit->SetValue(7);
    Final();
    ASSERT_EQ(host.received.size(), 10u);
    EXPECT_EQ(std::count(host.commands.begin(), host.commands.end(), kCmdPutMorphFrame), 10);
    // The module counts the host's list afresh for every frame.
    EXPECT_EQ(host.receivedIndex.front(), 1);
    EXPECT_EQ(host.receivedIndex.back(), 10);
    EXPECT_EQ(host.receivedDelay.front(), 7);
    EXPECT_FALSE(editor->Visible());
}

TEST_F(MorphRun, WarpOnlyRunsUseCommandSevenAndOneFrameMore) {
    OpenOn(1);
    editor->FieldMethodRadio->SetChecked(true);
    Press(editor->LeftView, 10, 10);
    Move(editor->LeftView, 40, 30);
    Release(editor->LeftView, 40, 30);
    const PreviewSeen seen = Preview();
    EXPECT_EQ(seen.frames, 12);
    Final();
    EXPECT_EQ(host.received.size(), 11u);
    EXPECT_EQ(std::count(host.commands.begin(), host.commands.end(), kCmdPutWarpFrame), 11);
}

TEST_F(MorphRun, OverlappingControlPointsReportTheFailureAndKeepTheEditorOpen) {
    OpenOn(2, 200, 200);
    editor->MeshColumnsEdit->SetValue(3);
    editor->MeshRowsEdit->SetValue(3);
    NewMesh();                               // nodes 50 pixels apart
    Drag(editor->LeftView, 50, 50, 100, 50); // node (1,1) onto node (2,1)
    const Point moved = editor->Warp->MeshSrc[MeshIndex(1, 1)];
    Final();
    EXPECT_EQ(output, "message: Error generating morphing sequence. Possible reason: control "
                      "points overlaping!\n");
    EXPECT_TRUE(editor->Visible());
    EXPECT_EQ(editor->Warp->MeshSrc[MeshIndex(1, 1)].x, moved.x);
    EXPECT_EQ(editor->FrameBitmap, nullptr); // the working set is released
    EXPECT_EQ(Screen->Cursor(), crDefault);
    // The mesh panel is in front again, not the progress panel.
    const auto& stack = editor->PanBotRight->Controls();
    EXPECT_EQ(stack.back(), editor->PanelMesh);
}

TEST_F(MorphRun, AFrameCountTooSmallForInBetweensGivesAnEmptyProgressRange) {
    OpenOn(2);
    NewMesh();
    editor->FramesEdit->SetValue(1);
    Final();
    EXPECT_EQ(host.received.size(), 0u);
    EXPECT_EQ(editor->ProgressBar->Max(), 0);
    EXPECT_FALSE(editor->Visible());
}

} // namespace
