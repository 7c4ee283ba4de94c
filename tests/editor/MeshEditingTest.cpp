// The mesh method in the editor: laying the grid, picking and dragging nodes.
#include "EditorFixture.hpp"

#include "FlatCheckBox.hpp"
#include "FlatSpinEdit.hpp"

namespace {

class MeshEditing : public EditorTest {
protected:
    void SetUp() override {
        host.AddFrame(640, 480, clWhite);
        host.AddFrame(640, 480, clBlack);
        Open();
    }
    void NewMesh(int v, int h) {
        editor->MeshColumnsEdit->SetValue(v);
        editor->MeshRowsEdit->SetValue(h);
        editor->WarpMeshG_btnClick(nullptr);
    }
    WarpObjStru& W() { return *editor->Warp; }
    Point Src(int k, int r) { return W().MeshSrc[MeshIndex(k, r)]; }
    Point Dst(int k, int r) { return W().MeshDst[MeshIndex(k, r)]; }
    // Node position read back from its marker in a view.
    Point Marker(TVectView* view, int k, int r) {
        const ObjHandle* nodes = view == editor->LeftView ? W().MeshNodeLeft : W().MeshNodeRight;
        const int h = nodes[MeshIndex(k, r)];
        return Point{view->GetObjLeft(h) + 5, view->GetObjTop(h) + 5};
    }
};

bool operator==(Point a, Point b) {
    return a.x == b.x && a.y == b.y;
}

TEST_F(MeshEditing, TheDefaultGridOfA640x480Image) {
    editor->WarpMeshG_btnClick(nullptr); // 16 x 12 from FormShow
    ASSERT_EQ(W().MeshCols, 16);
    ASSERT_EQ(W().MeshRows, 12);
    EXPECT_TRUE(Src(1, 1) == (Point{38, 37}));
    EXPECT_TRUE(Src(16, 12) == (Point{608, 444}));
    EXPECT_TRUE(Src(17, 3) == (Point{639, 111}));
    EXPECT_TRUE(Src(4, 13) == (Point{152, 479}));
    EXPECT_TRUE(Dst(17, 13) == (Point{639, 479}));
    EXPECT_TRUE(Src(0, 5) == (Point{0, 185}));
    for (TVectView* view : {editor->LeftView, editor->RightView}) {
        const bool left = view == editor->LeftView;
        const int lastV = (left ? W().MeshVLineLeft : W().MeshVLineRight)[MeshIndex(3, 12)];
        EXPECT_EQ(view->GetObjTop(lastV), 444);
        EXPECT_EQ(view->GetObjHeight(lastV), 36);
        const int lastH = (left ? W().MeshHLineLeft : W().MeshHLineRight)[MeshIndex(16, 2)];
        EXPECT_EQ(view->GetObjLeft(lastH), 608);
        EXPECT_EQ(view->GetObjWidth(lastH), 32);
        // Segments at the bottom of the drawing list, markers on top.
        EXPECT_EQ(view->GetObjKind(view->GetObjFromIndex(0)), okLINE);
        EXPECT_EQ(view->GetObjKind(view->GetObjFromIndex(view->ObjectCount() - 1)), okBOX);
        // 17 x 13 vertical, 17 x 12 horizontal segments, 16 x 12 markers, one cursor mark.
        EXPECT_EQ(view->ObjectCount(), 16 * 13 + 12 * 17 + 16 * 12 + 1);
    }
    const ObjHandle marker = W().MeshNodeRight[MeshIndex(2, 2)];
    EXPECT_EQ(editor->RightView->GetObjBrushColor(marker), 0x008000);
    EXPECT_EQ(editor->RightView->GetObjPenColor(marker), 0x00FFFF);
    EXPECT_EQ(editor->LeftView->GetObjBrushColor(W().MeshNodeLeft[MeshIndex(2, 2)]), 0xFF0000);
}

TEST_F(MeshEditing, ANewMeshReplacesEveryObjectOfTheOldOne) {
    NewMesh(10, 10);
    NewMesh(3, 2);
    for (TVectView* view : {editor->LeftView, editor->RightView}) {
        EXPECT_EQ(view->ObjectCount(), 9 + 8 + 6 + 1);
    }
    EXPECT_EQ(W().MeshCols, 3);
    EXPECT_EQ(W().MeshRows, 2);
}

TEST_F(MeshEditing, CountsOutsideTheEditsRangeAreBroughtIntoIt) {
    editor->MeshColumnsEdit->SetText("500");
    editor->MeshRowsEdit->SetText("x");
    editor->WarpMeshG_btnClick(nullptr);
    EXPECT_EQ(W().MeshCols, 32);
    EXPECT_EQ(W().MeshRows, 1);
    // Column 32 lies one pixel beyond the right border.
    EXPECT_EQ(Src(32, 1).x, 640);
}

TEST_F(MeshEditing, HoverPicksANodeWithinNinePixelsLowestColumnThenRowFirst) {
    NewMesh(16, 12);
    Move(editor->LeftView, 47, 46);
    EXPECT_EQ(editor->LeftView->Cursor(), crHandPoint);
    const ObjHandle mark = W().RightCursorMark;
    EXPECT_EQ(editor->RightView->GetObjStyle(mark), vsVisible);
    EXPECT_EQ(editor->RightView->GetObjLeft(mark), 38 - 10);

    Move(editor->LeftView, 48, 37);
    EXPECT_NE(editor->LeftView->Cursor(), crHandPoint);
    EXPECT_EQ(editor->RightView->GetObjStyle(mark), 0);
    // Without a pick a drag moves nothing.
    Drag(editor->LeftView, 48, 37, 100, 100);
    EXPECT_TRUE(Src(1, 1) == (Point{38, 37}));

    // Nodes (1,2) and (2,1) both in reach: the lower column wins over the lower row.
    Drag(editor->LeftView, 38, 74, 72, 46);
    Drag(editor->LeftView, 74, 42, 300, 300);
    EXPECT_TRUE(Src(1, 2) == (Point{300, 300}));
    EXPECT_TRUE(Src(2, 1) == (Point{76, 37}));
    // In one column the lower row wins.
    Drag(editor->LeftView, 76, 74, 76, 45);
    Drag(editor->LeftView, 76, 41, 200, 200);
    EXPECT_TRUE(Src(2, 1) == (Point{200, 200}));
    EXPECT_TRUE(Src(2, 2) == (Point{76, 45}));
}

TEST_F(MeshEditing, DraggingMovesTheNodeItsMarkerAndItsFourSegments) {
    NewMesh(16, 12);
    Drag(editor->LeftView, 76, 74, 90, 37);
    EXPECT_TRUE(Src(2, 2) == (Point{90, 37}));
    EXPECT_TRUE(Dst(2, 2) == (Point{76, 74}));
    EXPECT_TRUE(Marker(editor->LeftView, 2, 2) == (Point{90, 37}));
    TVectView* left = editor->LeftView;
    // The segment from (2,1) at (76,37) to the node: width 14, a height of 0 stored as 1.
    const ObjHandle above = W().MeshVLineLeft[MeshIndex(2, 1)];
    EXPECT_EQ(left->GetObjHeight(above), 1);
    EXPECT_EQ(left->GetObjWidth(above), 14);
    const ObjHandle toRight = W().MeshHLineLeft[MeshIndex(2, 2)];
    EXPECT_EQ(left->GetObjLeft(toRight), 90);
    EXPECT_EQ(left->GetObjWidth(toRight), 114 - 90);
    EXPECT_EQ(left->GetObjHeight(toRight), 74 - 37);
    // The counterpart's mark follows in the other view.
    EXPECT_EQ(editor->RightView->GetObjLeft(W().RightCursorMark), 76 - 10);
}

TEST_F(MeshEditing, MoveAllSetsBothNodesFromTheLeftViewOnly) {
    NewMesh(16, 12);
    Drag(editor->RightView, 38, 37, 50, 50);
    EXPECT_TRUE(Dst(1, 1) == (Point{50, 50}));
    EXPECT_TRUE(Src(1, 1) == (Point{38, 37}));

    editor->MoveBothCheck->SetChecked(true);
    Drag(editor->LeftView, 38, 37, 20, 25);
    EXPECT_TRUE(Src(1, 1) == (Point{20, 25}));
    EXPECT_TRUE(Dst(1, 1) == (Point{20, 25}));
    EXPECT_TRUE(Marker(editor->RightView, 1, 1) == (Point{20, 25}));

    Drag(editor->RightView, 20, 25, 5, 5);
    EXPECT_TRUE(Src(1, 1) == (Point{20, 25}));
    EXPECT_TRUE(Dst(1, 1) == (Point{5, 5}));
}

TEST(MeshEditingSmallImage, AnImageUnderTwentyPixelsGetsNoMesh) {
    TApplication app{std::make_unique<HeadlessBackend>()};
    FakeHost host;
    host.AddFrame(15, 300, clWhite);
    TfrmTweenkit editor(nullptr);
    editor.Context = &host.context;
    editor.Command = &FakeHost::Command;
    editor.Show();
    editor.WarpMeshG_btnClick(nullptr);
    EXPECT_EQ(editor.Warp->MeshCols, 0);
    EXPECT_EQ(editor.Warp->MeshRows, 0);
    EXPECT_EQ(editor.LeftView->ObjectCount(), 1); // the cursor mark alone
}

} // namespace
