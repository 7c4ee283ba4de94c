// The field method in the editor: adding polylines, breaks, moving points, the
// counters, and taking points back with "Undo last" and "Clear".
#include "EditorFixture.hpp"

#include "FlatCheckBox.hpp"
#include "FlatRadioButton.hpp"
#include "FlatSpeedButton.hpp"
#include "controls/Label.hpp"

namespace {

class FieldEditing : public EditorTest {
protected:
    void SetUp() override {
        host.AddFrame(320, 240, clWhite);
        host.AddFrame(320, 240, clBlack);
        Open();
        editor->FieldMethodRadio->SetChecked(true);
    }
    WarpObjStru& W() { return *editor->Warp; }
    // Every slot from FieldPointCount on is free, and exactly the live slots have objects.
    void ExpectConsistent() {
        const int count = W().FieldPointCount;
        for (int i = count; i < kFieldCapacity; ++i)
            ASSERT_EQ(W().FieldSrc[i].x, BREAK_MARK) << i;
        int markers = 0, segments = 0;
        for (int i = 0; i < count; ++i) {
            if (W().FieldSrc[i].x == BREAK_MARK)
                continue;
            ++markers;
            if (W().FieldSrc[i + 1].x != BREAK_MARK && i + 1 < count)
                ++segments;
        }
        for (TVectView* view : {editor->LeftView, editor->RightView})
            EXPECT_EQ(view->ObjectCount(), 1 + markers + segments);
        EXPECT_EQ(editor->FieldUsedLabel->Caption(), std::to_string(count));
        EXPECT_EQ(editor->FieldFreeLabel->Caption(), std::to_string(1000 - count));
    }
};

TEST_F(FieldEditing, AFirstPressMakesTwoCoincidentPointsAndOneSegment) {
    Press(editor->LeftView, 50, 60);
    Release(editor->LeftView, 50, 60);
    EXPECT_EQ(W().FieldPointCount, 2);
    EXPECT_EQ(editor->FieldUsedLabel->Caption(), "2");
    const ObjHandle segment = W().FieldSegLeft[0];
    EXPECT_EQ(editor->LeftView->GetObjWidth(segment), 1);
    EXPECT_EQ(editor->LeftView->GetObjHeight(segment), 1);
    EXPECT_EQ(editor->LeftView->GetObjPenColor(segment), 0x0000FF);
    ExpectConsistent();
}

TEST_F(FieldEditing, PressesExtendThePolylineAndABreakStartsANewOne) {
    Press(editor->LeftView, 10, 10);
    Move(editor->RightView, 40, 10);
    Release(editor->RightView, 40, 10);
    // The drag moved the newest point in both views alike.
    EXPECT_EQ(W().FieldSrc[1].x, 40);
    EXPECT_EQ(W().FieldDst[1].x, 40);
    EXPECT_EQ(editor->LeftView->GetObjWidth(W().FieldSegLeft[0]), 30);
    EXPECT_EQ(editor->LeftView->GetObjHeight(W().FieldSegLeft[0]), 1);

    Press(editor->LeftView, 40, 50);
    Release(editor->LeftView, 40, 50);
    EXPECT_EQ(W().FieldPointCount, 3);
    EXPECT_EQ(editor->LeftView->GetObjWidth(W().FieldSegLeft[1]), 1);

    Click(editor->LineBreakButton);
    Click(editor->LineBreakButton); // a break after a break does nothing
    EXPECT_EQ(W().FieldPointCount, 4);
    EXPECT_EQ(editor->FieldUsedLabel->Caption(), "3"); // a break alone refreshes nothing
    Press(editor->RightView, 100, 100);
    Release(editor->RightView, 100, 100);
    EXPECT_EQ(W().FieldPointCount, 6);
    ExpectConsistent();
}

TEST_F(FieldEditing, TheCountersAfterAPressLeavingFourPoints) {
    Press(editor->LeftView, 10, 10);
    Release(editor->LeftView, 10, 10);
    Press(editor->LeftView, 20, 10);
    Release(editor->LeftView, 20, 10);
    Press(editor->LeftView, 30, 10);
    EXPECT_EQ(editor->FieldUsedLabel->Caption(), "4");
    EXPECT_EQ(editor->FieldFreeLabel->Caption(), "996");
}

TEST_F(FieldEditing, MoveModePicksTheLowestSlotAndDragsOnlyWhereItShould) {
    for (int x : {100, 105, 200}) {
        Press(editor->LeftView, x, 100);
        Release(editor->LeftView, x, 100);
    }
    Click(editor->AddMoveButton); // up: move mode
    ASSERT_FALSE(W().FieldAddMode);
    Move(editor->LeftView, 104, 103); // slots 0, 1 and 2 in reach: slot 0 wins
    EXPECT_EQ(editor->RightView->GetObjStyle(W().RightCursorMark), vsVisible);
    Press(editor->LeftView, 104, 103);
    Move(editor->LeftView, 60, 70);
    Release(editor->LeftView, 60, 70);
    EXPECT_EQ(W().FieldSrc[0].x, 60);
    EXPECT_EQ(W().FieldDst[0].x, 100);
    EXPECT_EQ(W().FieldPointCount, 4); // no point added in move mode

    editor->MoveBothCheck->SetChecked(true);
    Drag(editor->RightView, 200, 100, 210, 90);
    EXPECT_EQ(W().FieldDst[3].x, 210);
    EXPECT_EQ(W().FieldSrc[3].x, 200);

    Move(editor->LeftView, 300, 10); // nothing in reach: no pick, no drag
    EXPECT_EQ(editor->RightView->GetObjStyle(W().RightCursorMark), 0);
    Drag(editor->LeftView, 300, 10, 0, 0);
    EXPECT_EQ(W().FieldSrc[0].x, 60);
    ExpectConsistent();
}

TEST_F(FieldEditing, UndoTakesBackOnePressOrBreakAtATime) {
    Press(editor->LeftView, 10, 10); // points 0 and 1
    Release(editor->LeftView, 10, 10);
    Press(editor->LeftView, 20, 10); // point 2
    Release(editor->LeftView, 20, 10);
    Click(editor->LineBreakButton);  // break 3
    Press(editor->LeftView, 50, 50); // points 4 and 5
    Release(editor->LeftView, 60, 60);
    const std::vector<int> counts = {4, 3, 2, 0, 0};
    for (int expected : counts) {
        Click(editor->UndoLastButton);
        EXPECT_EQ(W().FieldPointCount, expected);
        ExpectConsistent();
    }
    // The store works as new afterwards.
    Press(editor->RightView, 5, 5);
    EXPECT_EQ(W().FieldPointCount, 2);
    ExpectConsistent();
}

TEST_F(FieldEditing, UndoForgetsAPickOfTheRemovedPoint) {
    Press(editor->LeftView, 10, 10);
    Release(editor->LeftView, 10, 10);
    Press(editor->LeftView, 100, 10);
    Release(editor->LeftView, 100, 10);
    Click(editor->AddMoveButton);
    Move(editor->LeftView, 100, 10); // picks slot 2
    Click(editor->UndoLastButton);
    Press(editor->LeftView, 100, 10);
    Move(editor->LeftView, 150, 150);
    EXPECT_EQ(W().FieldSrc[2].x, BREAK_MARK);
    EXPECT_EQ(W().FieldSrc[1].x, 10);
}

TEST_F(FieldEditing, ClearRemovesEveryPointBreakAndObject) {
    for (int i = 0; i < 5; ++i) {
        Press(editor->LeftView, 10 * i, 20);
        Release(editor->LeftView, 10 * i, 20);
        if (i == 2)
            Click(editor->LineBreakButton);
    }
    Click(editor->ClearButton);
    EXPECT_EQ(W().FieldPointCount, 0);
    ExpectConsistent();
    EXPECT_EQ(editor->FieldUsedLabel->Caption(), "0");
}

TEST_F(FieldEditing, ABreakDuringAPressLeavesTheBreakAlone) {
    // A release that never arrives (the window lost the mouse) keeps the drag going.
    Press(editor->LeftView, 10, 10);
    Click(editor->LineBreakButton);
    Move(editor->LeftView, 50, 50);
    Release(editor->LeftView, 50, 50);
    EXPECT_EQ(W().FieldSrc[2].x, BREAK_MARK);
    EXPECT_EQ(W().FieldSrc[1].x, 10);
    Press(editor->LeftView, 70, 70);
    ExpectConsistent();
}

TEST_F(FieldEditing, PressesStopAtOneThousandPointsButAPolylineMayOverrunThem) {
    for (int i = 0; i < 997; ++i) {
        Press(editor->LeftView, i % 300, i / 300);
        Release(editor->LeftView, i % 300, i / 300);
    }
    ASSERT_EQ(W().FieldPointCount, 998);
    Click(editor->LineBreakButton); // 999
    Press(editor->LeftView, 5, 5);  // a new polyline still takes its two slots
    Release(editor->LeftView, 5, 5);
    EXPECT_EQ(W().FieldPointCount, 1001);
    Click(editor->LineBreakButton);
    Press(editor->LeftView, 7, 7); // no room left
    EXPECT_EQ(W().FieldPointCount, 1002);
    EXPECT_EQ(editor->FieldFreeLabel->Caption(), "-2");
    ExpectConsistent();
}

} // namespace
