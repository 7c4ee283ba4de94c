// Switching the method keeps both geometries and shows only the active one;
// the zoom buttons stop at their limits.
#include "EditorFixture.hpp"

#include "FlatPanel.hpp"
#include "FlatRadioButton.hpp"
#include "FlatSpeedButton.hpp"
#include "controls/Panel.hpp"

namespace {

class MethodAndZoom : public EditorTest {
protected:
    void SetUp() override {
        host.AddFrame(200, 160, clWhite);
        host.AddFrame(200, 160, clBlack);
        Open();
    }
    WarpObjStru& W() { return *editor->Warp; }
    static int Visible(TVectView* view, ObjHandle h) { return view->GetObjStyle(h) == vsVisible; }
};

TEST_F(MethodAndZoom, EachMethodShowsOnlyItsOwnObjects) {
    editor->WarpMeshG_btnClick(nullptr);
    Move(editor->LeftView, 20, 20); // shows the right view's cursor mark
    editor->FieldMethodRadio->SetChecked(true);
    EXPECT_EQ(W().Mode, MorphMethod::Field);
    EXPECT_EQ(editor->PanBotRight->Controls().back(), editor->PanelField);
    Press(editor->LeftView, 30, 30);
    Release(editor->LeftView, 60, 30);
    for (TVectView* view : {editor->LeftView, editor->RightView}) {
        const bool left = view == editor->LeftView;
        const ObjHandle node = (left ? W().MeshNodeLeft : W().MeshNodeRight)[MeshIndex(1, 1)];
        EXPECT_FALSE(Visible(view, node));
        EXPECT_FALSE(Visible(view, left ? W().LeftCursorMark : W().RightCursorMark));
        EXPECT_TRUE(Visible(view, (left ? W().FieldMarkLeft : W().FieldMarkRight)[1]));
    }

    editor->MeshMethodRadio->SetChecked(true);
    EXPECT_EQ(W().Mode, MorphMethod::Mesh);
    EXPECT_EQ(editor->PanBotRight->Controls().back(), editor->PanelMesh);
    EXPECT_EQ(W().FieldPointCount, 2); // the field lines survive the switch
    for (TVectView* view : {editor->LeftView, editor->RightView}) {
        const bool left = view == editor->LeftView;
        EXPECT_FALSE(Visible(view, (left ? W().FieldSegLeft : W().FieldSegRight)[0]));
        EXPECT_TRUE(
            Visible(view, (left ? W().MeshVLineLeft : W().MeshVLineRight)[MeshIndex(2, 3)]));
        // Node markers are drawn above every segment.
        const int top = view->GetObjFromIndex(view->ObjectCount() - 1);
        EXPECT_EQ(view->GetObjKind(top), okBOX);
        EXPECT_FALSE(Visible(view, left ? W().LeftCursorMark : W().RightCursorMark));
    }
}

TEST_F(MethodAndZoom, FiveClicksReachTheZoomLimitsAndCentringFollowsItsButton) {
    for (int i = 0; i < 5; ++i)
        Click(editor->LeftZoomInButton);
    EXPECT_EQ(editor->LeftZoom, 1600);
    EXPECT_EQ(editor->LeftView->Zoom(), 1600);
    for (int i = 0; i < 10; ++i)
        Click(editor->RightZoomOutButton);
    EXPECT_EQ(editor->RightZoom, 6.25);
    EXPECT_EQ(editor->RightView->Zoom(), 6.25);
    EXPECT_EQ(editor->LeftZoom, 1600);

    Click(editor->RightCenterButton);
    EXPECT_TRUE(editor->RightView->Center());
    Click(editor->RightCenterButton);
    EXPECT_FALSE(editor->RightView->Center());
    EXPECT_FALSE(editor->LeftView->Center());
}

} // namespace
