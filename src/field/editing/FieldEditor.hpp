// The field method's editing: adds control polyline points in both views, picks
// and drags them, ends polylines, and takes additions back. Keeps the point store
// of the state record and the objects that draw it in step. Each press, point
// move, break, "Undo last" and "Clear" is reported as one undoable edit.
#pragma once

#include "FieldEditSteps.hpp"
#include "MethodEditor.hpp"
#include "WarpState.hpp"

#include <optional>
#include <vector>

class TVectView;

class FieldEditor : public MethodEditor {
public:
    // The most points a press may still add to (the panel shows this maximum).
    static constexpr int kMaxPoints = 1000;

    FieldEditor(WarpObjStru& warp, TVectView& left, TVectView& right);

    // Records a press in view; in add mode adds a point at (x, y) to both images,
    // or the two points of a new polyline.
    void Press(int x, int y, TVectView& view) override;
    // Records a release; in add mode redraws the newest point. Ends the gesture.
    void Release(int x, int y, TVectView& view) override;
    // Moves the newest point (add mode) or the point picked in view (move mode);
    // with moveBoth a move in the left view puts the destination point there too.
    void Drag(int x, int y, TVectView& view, bool moveBoth) override;
    // Move mode: picks the point within reach of (x, y) in view (lowest slot) and
    // marks its counterpart in the other view.
    bool HitTest(int x, int y, TVectView& view) override;
    bool HasGeometry() const override { return warp_.FieldPointCount > 0; }
    void FinishGesture() override;
    // Clears both picks and hides both cursor marks.
    void ForgetPicks() override;
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

    // Replaces the store from entry `from` on by slots, with their objects, without
    // reporting it; then forgets the picks.
    void SetTail(int from, const std::vector<FieldSlot>& slots);
    // Puts point index at slot's positions and redraws it, then forgets the picks.
    void PlacePoint(int index, FieldSlot slot);
    // The point count the counters show: FieldPointCount as of the last press,
    // "Undo last" or "Clear", or as an undo or redo left it.
    int ShownCount() const { return shownCount_; }
    void SetShownCount(int count) { shownCount_ = count; }
    // The store's entries from `from` to FieldPointCount.
    std::vector<FieldSlot> Tail(int from) const;

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
    // Starts or continues the record of a drag that moves point i.
    void TrackMove(int i);
    // Reports a change at the end of the store as one step.
    void ReportTail(int from, std::vector<FieldSlot> before, int shownBefore);
    bool IsLeft(const TVectView& view) const { return &view == &left_; }

    WarpObjStru& warp_;
    TVectView& left_;
    TVectView& right_;
    std::optional<int> addedFrom_; // the first entry a press under way added
    int shownBeforeAdd_ = 0;       // and the count shown before that press
    int shownCount_ = 0;
    std::optional<int> moved_; // the point a drag under way moves
    FieldSlot movedFrom_{};    // and where it was
};
