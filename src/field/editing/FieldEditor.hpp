// The field method's editing: adds control polyline points in both views, picks
// and drags them, ends polylines, and takes additions back. Keeps the point store
// of the state record and the objects that draw it in step.
#pragma once

#include "WarpState.hpp"

class TVectView;

class FieldEditor {
public:
    // The most points a press may still add to (the panel shows this maximum).
    static constexpr int kMaxPoints = 1000;

    FieldEditor(WarpObjStru& warp, TVectView& left, TVectView& right);

    // Records a press in view; in add mode adds a point at (x, y) to both images,
    // or the two points of a new polyline.
    void MouseDown(int x, int y, TVectView& view);
    // Records a release; in add mode redraws the newest point.
    void MouseUp(int x, int y, TVectView& view);
    // Moves the newest point (add mode) or the point picked in view (move mode);
    // with moveAll a move in the left view puts the destination point there too.
    void DragPoint(int x, int y, TVectView& view, bool moveAll);
    // Move mode: picks the point within reach of (x, y) in view (lowest slot) and
    // marks its counterpart in the other view.
    bool HitTest(int x, int y, TVectView& view);
    // Redraws slot i of points (FieldSrc for the left view, FieldDst for the right).
    void UpdatePoint(int i, const Point* points, TVectView& view);

    // "Add/move": add mode on or off.
    void SetAddMode(bool on) { warp_.FieldAddMode = on; }
    // "Line break": ends the current polyline after a point; otherwise nothing.
    void LineBreak();
    // "Undo last": takes back the last press (one point, or a polyline's first two)
    // or the last break.
    void UndoLast();
    // "Clear": removes every point and break with their objects.
    void Clear();

    // True when slot i holds a point (not a break and not free).
    bool IsPoint(int i) const;
    // The slot picked in view, or a value below 0 when there is none.
    int Picked(TVectView& view) const;

private:
    // Creates a red segment at (x, y) in view, behind every other object.
    ObjHandle AddSegment(int x, int y, TVectView& view);
    // Creates the markers of slot i in both views.
    void AddMarkers(int i, int x, int y);
    // Removes slot i's markers and turns it back into a free slot.
    void RemovePoint(int i);
    // Removes both views' objects of segment j.
    void RemoveSegment(int j);
    // Clears both picks and hides both cursor marks.
    void ForgetPicks();
    bool IsLeft(const TVectView& view) const { return &view == &left_; }

    WarpObjStru& warp_;
    TVectView& left_;
    TVectView& right_;
};
