// Marks where a run fails or a mesh folds: red rings around the nodes that
// coincide or the field line of zero length after the failure message, gone at
// the next edit; folded mesh segments drawn in the warning colour on each drop.
#include "EditorFixture.hpp"

#include "FlatRadioButton.hpp"
#include "FlatSpeedButton.hpp"
#include "FlatSpinEdit.hpp"
#include "NodeMarker.hpp"

namespace {

class FailureMarks : public EditorTest {
protected:
    void SetUp() override {
        host.AddFrame(320, 240, clWhite);
        host.AddFrame(320, 240, clBlack);
        Open();
    }
    WarpObjStru& W() { return *editor->Warp; }
    std::string Final() {
        testing::internal::CaptureStdout();
        editor->MorphFinal_btnClick(nullptr);
        return testing::internal::GetCapturedStdout();
    }
    void NewMesh(int v, int h) {
        editor->MeshColumnsEdit->SetValue(v);
        editor->MeshRowsEdit->SetValue(h);
        Click(editor->NewMeshButton);
    }
    // The centres of the rings in view.
    std::vector<std::pair<int, int>> Rings(TVectView* view) {
        std::vector<std::pair<int, int>> centres;
        for (ObjHandle ring : editor->FailureMarks(view)) {
            EXPECT_EQ(view->GetObjKind(ring), okELLIPSE);
            EXPECT_EQ(view->GetObjPenColor(ring), 0x0000FFu);
            EXPECT_EQ(view->GetObjStyle(ring), vsVisible);
            centres.emplace_back(view->GetObjLeft(ring) + view->GetObjWidth(ring) / 2,
                                 view->GetObjTop(ring) + view->GetObjHeight(ring) / 2);
        }
        return centres;
    }
    static constexpr const char* kFailure =
        "message: Error generating morphing sequence. Possible reason: control points "
        "overlaping!\n";
};

using Centres = std::vector<std::pair<int, int>>;

TEST_F(FailureMarks, CoincidingMeshNodesAreRingedWhereTheyAre) {
    NewMesh(3, 2);                           // nodes 80 pixels apart
    Drag(editor->LeftView, 80, 80, 80, 160); // node (1,1) onto node (1,2)
    ASSERT_EQ(Final(), kFailure);
    EXPECT_EQ(Rings(editor->LeftView), (Centres{{80, 160}, {80, 160}}));
    EXPECT_TRUE(Rings(editor->RightView).empty()) << "the final mesh is sound";
    // The next edit takes them away; the record's objects were never touched.
    Drag(editor->RightView, 160, 80, 170, 90);
    EXPECT_TRUE(editor->FailureMarks(editor->LeftView).empty());
    EXPECT_EQ(editor->LeftView->ObjectCount(), 3 * 3 + 2 * 4 + 3 * 2 + 1);
}

TEST_F(FailureMarks, NodesThatCrossOnTheWayAreRingedInBothViews) {
    NewMesh(3, 2);
    editor->FramesEdit->SetValue(3);           // one in-between frame, half way
    Drag(editor->LeftView, 80, 80, 120, 80);   // source: node (1,1) at 120, (2,1) at 160
    Drag(editor->RightView, 160, 80, 120, 80); // final: node (2,1) at 120 ...
    Drag(editor->RightView, 80, 80, 160, 80);  // ... and (1,1) at 160: they swap places
    // Both meshes are sound; half way the two nodes meet at x 140.
    ASSERT_EQ(Final(), kFailure);
    EXPECT_EQ(Rings(editor->LeftView), (Centres{{120, 80}, {160, 80}}));
    EXPECT_EQ(Rings(editor->RightView), (Centres{{160, 80}, {120, 80}}));
}

TEST_F(FailureMarks, AFieldLineOfZeroLengthIsRingedInBothViews) {
    Click(editor->FieldMethodRadio);
    editor->FramesEdit->SetValue(3);
    Drag(editor->LeftView, 50, 50, 100, 50); // a line from (50,50) to (100,50)
    Click(editor->AddMoveButton);
    Drag(editor->RightView, 100, 50, 50, 50); // the final line runs backwards:
    Drag(editor->RightView, 50, 50, 100, 50); // half way it has no length
    ASSERT_EQ(Final(), kFailure);
    EXPECT_EQ(Rings(editor->LeftView), (Centres{{75, 50}}));
    EXPECT_EQ(Rings(editor->RightView), (Centres{{75, 50}}));
    editor->UndoEdit();
    EXPECT_TRUE(editor->FailureMarks(editor->RightView).empty());
}

TEST_F(FailureMarks, FoldedSegmentsTurnTheWarningColourOnTheDrop) {
    NewMesh(3, 2);
    const ObjHandle segment = W().MeshVLineLeft[MeshIndex(1, 1)]; // (1,1) down to (1,2)
    Move(editor->LeftView, 80, 80);
    Press(editor->LeftView, 80, 80);
    Move(editor->LeftView, 80, 200); // below node (1,2) at y 160
    EXPECT_EQ(editor->LeftView->GetObjPenColor(segment), kSegmentPen) << "not while moving";
    Release(editor->LeftView, 80, 200);
    EXPECT_EQ(editor->LeftView->GetObjPenColor(segment), kFoldedSegmentPen);
    // Above the segment it lies along, below every node marker.
    int segmentAt = -1, firstMarkerAt = -1, lastLineAt = -1;
    for (int i = 0; i < editor->LeftView->ObjectCount(); ++i) {
        const ObjHandle h = editor->LeftView->GetObjFromIndex(i);
        segmentAt = h == segment ? i : segmentAt;
        if (editor->LeftView->GetObjKind(h) == okLINE)
            lastLineAt = i;
        if (editor->LeftView->GetObjKind(h) == okBOX && firstMarkerAt < 0)
            firstMarkerAt = i;
    }
    EXPECT_EQ(segmentAt, lastLineAt);
    EXPECT_LT(segmentAt, firstMarkerAt);
    EXPECT_EQ(editor->RightView->GetObjPenColor(W().MeshVLineRight[MeshIndex(1, 1)]), kSegmentPen);
    EXPECT_EQ(editor->LeftView->GetObjPenColor(W().MeshVLineLeft[MeshIndex(1, 0)]), kSegmentPen);
    editor->UndoEdit();
    EXPECT_EQ(editor->LeftView->GetObjPenColor(segment), kSegmentPen);
    editor->RedoEdit();
    EXPECT_EQ(editor->LeftView->GetObjPenColor(segment), kFoldedSegmentPen);
}

} // namespace
