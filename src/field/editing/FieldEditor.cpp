#include "FieldEditor.hpp"

#include "NodeMarker.hpp"
#include "VectView.hpp"

#include <algorithm>
#include <cstdlib>
#include <memory>

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

void FieldEditor::Press(int x, int y, TVectView& view) {
    FinishGesture();
    RecordPress(warp_, IsLeft(view), x, y);
    const int shownBefore = shownCount_;
    // The window shows the count after every press, whatever it did.
    shownCount_ = warp_.FieldPointCount;
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
    addedFrom_ = c;
    shownBeforeAdd_ = shownBefore;
    shownCount_ = warp_.FieldPointCount;
}

void FieldEditor::Release(int x, int y, TVectView& view) {
    RecordRelease(warp_, IsLeft(view), x, y);
    // After a break the newest slot holds no point to redraw.
    if (warp_.FieldAddMode && IsPoint(warp_.FieldPointCount - 1)) {
        const int n = warp_.FieldPointCount - 1;
        UpdatePoint(n, warp_.FieldSrc, left_);
        UpdatePoint(n, warp_.FieldDst, right_);
    }
    FinishGesture();
}

void FieldEditor::FinishGesture() {
    if (addedFrom_) {
        const int from = *addedFrom_;
        addedFrom_.reset();
        if (from < warp_.FieldPointCount)
            Report(std::make_unique<FieldTailStep>(*this, from, std::vector<FieldSlot>{},
                                                   Tail(from),
                                                   ShownCounts{shownBeforeAdd_, shownCount_}));
    }
    if (moved_) {
        const int i = *moved_;
        moved_.reset();
        const FieldSlot now{warp_.FieldSrc[i], warp_.FieldDst[i]};
        if (!SamePoint(now.src, movedFrom_.src) || !SamePoint(now.dst, movedFrom_.dst))
            Report(std::make_unique<FieldPointStep>(*this, i, movedFrom_, now, shownCount_));
    }
}

void FieldEditor::TrackMove(int i) {
    // Points that the press under way added move as part of that press.
    if (addedFrom_ && i >= *addedFrom_)
        return;
    if (moved_ && *moved_ == i)
        return;
    FinishGesture();
    moved_ = i;
    movedFrom_ = FieldSlot{warp_.FieldSrc[i], warp_.FieldDst[i]};
}

std::vector<FieldSlot> FieldEditor::Tail(int from) const {
    std::vector<FieldSlot> slots;
    for (int i = from; i < warp_.FieldPointCount; ++i)
        slots.push_back(FieldSlot{warp_.FieldSrc[i], warp_.FieldDst[i]});
    return slots;
}

void FieldEditor::ReportTail(int from, std::vector<FieldSlot> before, int shownBefore) {
    std::vector<FieldSlot> after = Tail(from);
    if (before.size() == after.size() &&
        std::equal(before.begin(), before.end(), after.begin(), [](FieldSlot a, FieldSlot b) {
            return SamePoint(a.src, b.src) && SamePoint(a.dst, b.dst);
        }))
        return;
    Report(std::make_unique<FieldTailStep>(*this, from, std::move(before), std::move(after),
                                           ShownCounts{shownBefore, shownCount_}));
}

void FieldEditor::SetTail(int from, const std::vector<FieldSlot>& slots) {
    // Steps apply inside the history: a gesture still open ends here unreported
    // (the window ends gestures before it undoes or redoes).
    addedFrom_.reset();
    moved_.reset();
    const int count = warp_.FieldPointCount;
    for (int j = std::max(from - 1, 0); j + 1 < count; ++j)
        if (IsPoint(j) && IsPoint(j + 1))
            RemoveSegment(j);
    for (int i = from; i < count; ++i) {
        if (IsPoint(i))
            RemovePoint(i);
    }
    for (size_t n = 0; n < slots.size(); ++n) {
        warp_.FieldSrc[from + n] = slots[n].src;
        warp_.FieldDst[from + n] = slots[n].dst;
    }
    warp_.FieldPointCount = from + static_cast<int>(slots.size());
    for (int i = from; i < warp_.FieldPointCount; ++i) {
        if (!IsPoint(i))
            continue;
        const Point src = warp_.FieldSrc[i];
        const Point dst = warp_.FieldDst[i];
        if (i > 0 && IsPoint(i - 1)) {
            warp_.FieldSegLeft[i - 1] = AddSegment(src.x, src.y, left_);
            warp_.FieldSegRight[i - 1] = AddSegment(dst.x, dst.y, right_);
            SetSegment(left_, warp_.FieldSegLeft[i - 1], warp_.FieldSrc[i - 1], src);
            SetSegment(right_, warp_.FieldSegRight[i - 1], warp_.FieldDst[i - 1], dst);
        }
        AddNodeMarker(warp_.FieldMarkLeft[i], src.x, src.y, kLeftMarkerBrush, kLeftMarkerPen,
                      left_);
        AddNodeMarker(warp_.FieldMarkRight[i], dst.x, dst.y, kRightMarkerBrush, kRightMarkerPen,
                      right_);
    }
    ForgetPicks();
}

void FieldEditor::PlacePoint(int index, FieldSlot slot) {
    addedFrom_.reset();
    moved_.reset();
    if (!IsPoint(index) || index >= warp_.FieldPointCount)
        return;
    warp_.FieldSrc[index] = slot.src;
    warp_.FieldDst[index] = slot.dst;
    UpdatePoint(index, warp_.FieldSrc, left_);
    UpdatePoint(index, warp_.FieldDst, right_);
    ForgetPicks();
}

void FieldEditor::Drag(int x, int y, TVectView& view, bool moveAll) {
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
        TrackMove(n);
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
    TrackMove(k);
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
    FinishGesture();
    const int c = warp_.FieldPointCount;
    if (c > 0 && IsPoint(c - 1)) {
        warp_.FieldPointCount = c + 1;
        ReportTail(c, {}, shownCount_);
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
    FinishGesture();
    const int c = warp_.FieldPointCount;
    if (c == 0) {
        return;
    }
    const int from = std::max(c - 2, 0);
    std::vector<FieldSlot> before = Tail(from);
    const int shownBefore = shownCount_;
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
    shownCount_ = warp_.FieldPointCount;
    ReportTail(from, std::move(before), shownBefore);
}

void FieldEditor::Clear() {
    FinishGesture();
    std::vector<FieldSlot> before = Tail(0);
    const int shownBefore = shownCount_;
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
    shownCount_ = 0;
    ReportTail(0, std::move(before), shownBefore);
}
