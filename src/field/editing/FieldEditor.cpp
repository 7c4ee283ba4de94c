#include "FieldEditor.hpp"

#include "NodeMarker.hpp"
#include "VectView.hpp"

#include <cstdlib>

FieldEditor::FieldEditor(WarpObjStru& warp, TVectView& left, TVectView& right)
    : warp_(warp), left_(left), right_(right) {}

bool FieldEditor::IsPoint(int i) const {
    return i >= 0 && i < kFieldCapacity && warp_.FieldSrc[i].x != BREAK_MARK;
}

int FieldEditor::Picked(TVectView& view) const {
    if (warp_.FieldPointCount == 0) {
        return -1;
    }
    const ObjHandle marker = IsLeft(view) ? warp_.FieldMarkLeft[0] : warp_.FieldMarkRight[0];
    return view.GetObjID(marker) - 10;
}

ObjHandle FieldEditor::AddSegment(int x, int y, TVectView& view) {
    const ObjHandle segment = view.AddNewObject();
    view.SetObjKind(segment, okLINE);
    view.SetObjLeft(segment, x);
    view.SetObjTop(segment, y);
    view.SetObjWidth(segment, 0);
    view.SetObjHeight(segment, 0);
    view.SetObjPenColor(segment, kSegmentPen);
    view.SetObjID(segment, 0);
    view.SetObjStyle(segment, vsVisible);
    view.SetObjBackTo(segment, -1);
    return segment;
}

void FieldEditor::AddMarkers(int i, int x, int y) {
    AddNodeMarker(warp_.FieldMarkLeft[i], x, y, kLeftMarkerBrush, kLeftMarkerPen, left_);
    AddNodeMarker(warp_.FieldMarkRight[i], x, y, kRightMarkerBrush, kRightMarkerPen, right_);
}

void FieldEditor::MouseDown(int x, int y, TVectView& view) {
    RecordPress(warp_, IsLeft(view), x, y);
    if (!warp_.FieldAddMode) {
        return;
    }
    const int c = warp_.FieldPointCount;
    if (c >= kMaxPoints) {
        return;
    }
    const bool continues = c > 0 && IsPoint(c - 1);
    const int seg = continues ? c - 1 : c;
    warp_.FieldSrc[c] = warp_.FieldDst[c] = Point{x, y};
    warp_.FieldSegLeft[seg] = AddSegment(x, y, left_);
    AddNodeMarker(warp_.FieldMarkLeft[c], x, y, kLeftMarkerBrush, kLeftMarkerPen, left_);
    warp_.FieldSegRight[seg] = AddSegment(x, y, right_);
    AddNodeMarker(warp_.FieldMarkRight[c], x, y, kRightMarkerBrush, kRightMarkerPen, right_);
    warp_.FieldPointCount = c + 1;
    if (!continues) {
        warp_.FieldSrc[c + 1] = warp_.FieldDst[c + 1] = Point{x, y};
        AddMarkers(c + 1, x, y);
        warp_.FieldPointCount = c + 2;
    }
}

void FieldEditor::MouseUp(int x, int y, TVectView& view) {
    RecordRelease(warp_, IsLeft(view), x, y);
    // After a break the newest slot holds no point to redraw.
    if (warp_.FieldAddMode && IsPoint(warp_.FieldPointCount - 1)) {
        const int n = warp_.FieldPointCount - 1;
        UpdatePoint(n, warp_.FieldSrc, left_);
        UpdatePoint(n, warp_.FieldDst, right_);
    }
}

void FieldEditor::DragPoint(int x, int y, TVectView& view, bool moveAll) {
    if (warp_.FieldPointCount == 0) {
        return;
    }
    if (warp_.FieldAddMode) {
        const int n = warp_.FieldPointCount - 1;
        // A break since the press (its release lost) leaves no newest point to move;
        // moving the break's slot would turn it into a point without objects.
        if (!IsPoint(n)) {
            return;
        }
        warp_.FieldSrc[n] = warp_.FieldDst[n] = Point{x, y};
        UpdatePoint(n, warp_.FieldSrc, left_);
        UpdatePoint(n, warp_.FieldDst, right_);
        return;
    }
    const int k = Picked(view);
    // A pick always names a point; anything else would write past the store's end.
    if (k < 0 || k >= warp_.FieldPointCount || !IsPoint(k)) {
        return;
    }
    if (IsLeft(view)) {
        if (moveAll) {
            warp_.FieldDst[k] = Point{x, y};
            UpdatePoint(k, warp_.FieldDst, right_);
        }
        warp_.FieldSrc[k] = Point{x, y};
        UpdatePoint(k, warp_.FieldSrc, left_);
    } else {
        warp_.FieldDst[k] = Point{x, y};
        UpdatePoint(k, warp_.FieldDst, right_);
    }
}

bool FieldEditor::HitTest(int x, int y, TVectView& view) {
    if (warp_.FieldAddMode || warp_.FieldPointCount == 0) {
        return false;
    }
    const bool left = IsLeft(view);
    TVectView& other = left ? right_ : left_;
    const ObjHandle otherMark = left ? warp_.RightCursorMark : warp_.LeftCursorMark;
    other.SetObjStyle(otherMark, TVectStyle{});
    const Point* points = left ? warp_.FieldSrc : warp_.FieldDst;
    const Point* counterparts = left ? warp_.FieldDst : warp_.FieldSrc;
    const ObjHandle* markers = left ? warp_.FieldMarkLeft : warp_.FieldMarkRight;
    for (int i = 0; i < warp_.FieldPointCount; ++i) {
        if (points[i].x == BREAK_MARK) {
            continue;
        }
        const int px = view.GetObjLeft(markers[i]) + 5;
        const int py = view.GetObjTop(markers[i]) + 5;
        if (std::abs(px - x) < kPickReach && std::abs(py - y) < kPickReach) {
            view.SetObjID(markers[0], i + 10);
            PlaceCursorMark(other, otherMark, counterparts[i]);
            other.SetObjStyle(otherMark, vsVisible);
            return true;
        }
    }
    view.SetObjID(markers[0], 0);
    return false;
}

void FieldEditor::UpdatePoint(int i, const Point* points, TVectView& view) {
    const bool left = IsLeft(view);
    const ObjHandle marker = (left ? warp_.FieldMarkLeft : warp_.FieldMarkRight)[i];
    view.SetObjLeft(marker, points[i].x - 5);
    view.SetObjTop(marker, points[i].y - 5);
    const Point* counterparts = left ? warp_.FieldDst : warp_.FieldSrc;
    PlaceCursorMark(left ? right_ : left_, left ? warp_.RightCursorMark : warp_.LeftCursorMark,
                    counterparts[i]);

    int first = i;
    int last = i;
    if (i > 0) {
        if (IsPoint(i - 1)) {
            first = i - 1;
        }
        last = IsPoint(i + 1) ? i : i - 1;
    }
    const ObjHandle* segments = left ? warp_.FieldSegLeft : warp_.FieldSegRight;
    for (int j = first; j <= last; ++j) {
        SetSegment(view, segments[j], points[j], points[j + 1]);
    }
}

void FieldEditor::LineBreak() {
    const int c = warp_.FieldPointCount;
    if (c > 0 && IsPoint(c - 1)) {
        warp_.FieldPointCount = c + 1;
    }
}

void FieldEditor::RemovePoint(int i) {
    left_.RemoveObject(warp_.FieldMarkLeft[i]);
    right_.RemoveObject(warp_.FieldMarkRight[i]);
    warp_.FieldSrc[i] = warp_.FieldDst[i] = Point{BREAK_MARK, 0};
}

void FieldEditor::RemoveSegment(int j) {
    left_.RemoveObject(warp_.FieldSegLeft[j]);
    right_.RemoveObject(warp_.FieldSegRight[j]);
}

void FieldEditor::ForgetPicks() {
    if (warp_.FieldPointCount > 0) {
        left_.SetObjID(warp_.FieldMarkLeft[0], 0);
        right_.SetObjID(warp_.FieldMarkRight[0], 0);
    }
    left_.SetObjStyle(warp_.LeftCursorMark, TVectStyle{});
    right_.SetObjStyle(warp_.RightCursorMark, TVectStyle{});
}

void FieldEditor::UndoLast() {
    const int c = warp_.FieldPointCount;
    if (c == 0) {
        return;
    }
    if (!IsPoint(c - 1)) {
        warp_.FieldPointCount = c - 1; // the break's slot already reads BREAK_MARK
    } else {
        // Every polyline has two points at least; a press that started one added both.
        const bool polylineStart = c - 2 == 0 || !IsPoint(c - 3);
        RemovePoint(c - 1);
        RemoveSegment(c - 2);
        warp_.FieldPointCount = c - 1;
        if (polylineStart) {
            RemovePoint(c - 2);
            warp_.FieldPointCount = c - 2;
        }
    }
    ForgetPicks();
}

void FieldEditor::Clear() {
    for (int i = warp_.FieldPointCount - 1; i >= 0; --i) {
        if (!IsPoint(i)) {
            continue;
        }
        RemovePoint(i);
        if (i > 0 && IsPoint(i - 1)) {
            RemoveSegment(i - 1);
        }
    }
    warp_.FieldPointCount = 0;
    ForgetPicks();
}
