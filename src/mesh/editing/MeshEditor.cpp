#include "MeshEditor.hpp"

#include "NodeMarker.hpp"
#include "VectView.hpp"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <iterator>
#include <memory>
#include <utility>

namespace {

// A mesh of more than 100 inner lines does not fit the [102][102] arrays.
constexpr int kMaxMeshLines = 100;

} // namespace

MeshEditor::MeshEditor(WarpObjStru& warp, TVectView& left, TVectView& right)
    : warp_(warp), left_(left), right_(right) {}

void MeshEditor::RemoveMeshObjects() {
    const int cols = warp_.MeshCols;
    const int rows = warp_.MeshRows;
    for (int k = 1; k <= cols; ++k) {
        for (int r = 0; r <= rows; ++r) {
            left_.RemoveObject(warp_.MeshVLineLeft[MeshIndex(k, r)]);
            right_.RemoveObject(warp_.MeshVLineRight[MeshIndex(k, r)]);
        }
    }
    for (int r = 1; r <= rows; ++r) {
        for (int k = 0; k <= cols; ++k) {
            left_.RemoveObject(warp_.MeshHLineLeft[MeshIndex(k, r)]);
            right_.RemoveObject(warp_.MeshHLineRight[MeshIndex(k, r)]);
        }
    }
    for (int k = 1; k <= cols; ++k) {
        for (int r = 1; r <= rows; ++r) {
            left_.RemoveObject(warp_.MeshNodeLeft[MeshIndex(k, r)]);
            right_.RemoveObject(warp_.MeshNodeRight[MeshIndex(k, r)]);
        }
    }
}

void MeshEditor::AddSegmentPair(ObjHandle& left, ObjHandle& right, int x, int y, int w, int h) {
    for (auto [view, slot] : {std::pair{&left_, &left}, std::pair{&right_, &right}}) {
        ObjHandle segment = view->AddNewObject();
        *slot = segment;
        view->SetObjKind(segment, okLINE);
        view->SetObjLeft(segment, x);
        view->SetObjTop(segment, y);
        view->SetObjWidth(segment, w);
        view->SetObjHeight(segment, h);
        view->SetObjPenColor(segment, kSegmentPen);
        view->AddSelObject(segment);
        view->SetObjID(segment, 0);
        view->SetObjStyle(segment, vsVisible);
        view->SetObjBackTo(segment, -1);
    }
}

void MeshEditor::NewMesh(int cols, int rows, int width, int height) {
    if (cols < 1 || cols > kMaxMeshLines || rows < 1 || rows > kMaxMeshLines) {
        return;
    }
    FinishGesture();
    const int oldCols = warp_.MeshCols;
    const int oldRows = warp_.MeshRows;
    std::vector<NodeValue> moved = NodesOffGrid(width, height);
    std::vector<SegmentValue> segments = SegmentsOffGrid(width, height);
    LayGrid(cols, rows, width, height);
    Report(std::make_unique<NewMeshStep>(*this, width, height, oldCols, oldRows, std::move(moved),
                                         std::move(segments), cols, rows));
}

void MeshEditor::LayGrid(int cols, int rows, int width, int height) {
    if (warp_.MeshCols > 0) {
        RemoveMeshObjects();
    }
    drag_.reset(); // the window ends a drag before the grid changes under it
    // A regular grid folds nowhere; its segments are all new and red.
    foldsLeft_.clear();
    foldsRight_.clear();
    if (cols == 0 || rows == 0) {
        warp_.MeshCols = warp_.MeshRows = 0;
        return;
    }
    warp_.MeshCols = cols;
    warp_.MeshRows = rows;
    const int maxX = width - 1;
    const int maxY = height - 1;
    const int dx = static_cast<int>(std::ceil(static_cast<double>(width) / (cols + 1)));
    const int dy = static_cast<int>(std::ceil(static_cast<double>(height) / (rows + 1)));

    for (int k = 0; k <= cols; ++k) {
        for (int r = 0; r <= rows; ++r) {
            const int at = MeshIndex(k, r);
            warp_.MeshSrc[at] = warp_.MeshDst[at] = Point{k * dx, r * dy};
            if (k >= 1) {
                const int h = r == rows ? height - r * dy : dy;
                AddSegmentPair(warp_.MeshVLineLeft[at], warp_.MeshVLineRight[at], k * dx, r * dy, 1,
                               h);
            }
        }
    }
    for (int r = 0; r <= rows; ++r) {
        warp_.MeshSrc[MeshIndex(cols + 1, r)] = warp_.MeshDst[MeshIndex(cols + 1, r)] =
            Point{maxX, r * dy};
    }
    for (int r = 0; r <= rows; ++r) {
        for (int k = 0; k <= cols; ++k) {
            const int at = MeshIndex(k, r);
            warp_.MeshSrc[at] = warp_.MeshDst[at] = Point{k * dx, r * dy};
            if (r >= 1) {
                const int w = k == cols ? width - k * dx : dx;
                AddSegmentPair(warp_.MeshHLineLeft[at], warp_.MeshHLineRight[at], k * dx, r * dy, w,
                               1);
            }
        }
    }
    for (int k = 0; k <= cols; ++k) {
        warp_.MeshSrc[MeshIndex(k, rows + 1)] = warp_.MeshDst[MeshIndex(k, rows + 1)] =
            Point{k * dx, maxY};
    }
    warp_.MeshSrc[MeshIndex(cols + 1, rows + 1)] = warp_.MeshDst[MeshIndex(cols + 1, rows + 1)] =
        Point{maxX, maxY};

    for (int k = 1; k <= cols; ++k) {
        for (int r = 1; r <= rows; ++r) {
            const int at = MeshIndex(k, r);
            AddNodeMarker(warp_.MeshNodeLeft[at], warp_.MeshSrc[at].x, warp_.MeshSrc[at].y,
                          kLeftMarkerBrush, kLeftMarkerPen, left_);
            AddNodeMarker(warp_.MeshNodeRight[at], warp_.MeshDst[at].x, warp_.MeshDst[at].y,
                          kRightMarkerBrush, kRightMarkerPen, right_);
        }
    }
}

void MeshEditor::Press(int x, int y, TVectView& view) {
    FinishGesture();
    RecordPress(warp_, IsLeft(view), x, y);
}

void MeshEditor::Release(int x, int y, TVectView& view) {
    RecordRelease(warp_, IsLeft(view), x, y);
    FinishGesture();
}

void MeshEditor::FinishGesture() {
    if (!drag_)
        return;
    NodeChange change = *drag_;
    drag_.reset();
    ShowFolds();
    change.srcAfter = warp_.MeshSrc[change.index];
    change.dstAfter = warp_.MeshDst[change.index];
    if (SamePoint(change.srcAfter, change.srcBefore) &&
        SamePoint(change.dstAfter, change.dstBefore))
        return;
    Report(std::make_unique<MeshNodesStep>(*this, std::vector<NodeChange>{change},
                                           std::move(dragSegments_), SegmentsAt({change.index})));
}

void MeshEditor::ForgetPicks() {
    if (warp_.MeshCols > 0) {
        const int first = MeshIndex(1, 1);
        left_.SetObjID(warp_.MeshVLineLeft[first], 0);
        left_.SetObjID(warp_.MeshHLineLeft[first], 0);
        right_.SetObjID(warp_.MeshVLineRight[first], 0);
        right_.SetObjID(warp_.MeshHLineRight[first], 0);
    }
    left_.SetObjStyle(warp_.LeftCursorMark, TVectStyle{});
    right_.SetObjStyle(warp_.RightCursorMark, TVectStyle{});
}

SegmentValue MeshEditor::ReadSegment(int32_t index, bool vertical, bool left) const {
    const TVectView& view = left ? left_ : right_;
    const ObjHandle h = Segments(vertical, left)[index];
    return SegmentValue{index,
                        vertical,
                        left,
                        view.GetObjLeft(h),
                        view.GetObjTop(h),
                        view.GetObjWidth(h),
                        view.GetObjHeight(h)};
}

std::vector<SegmentValue> MeshEditor::SegmentsAt(const std::vector<int32_t>& nodes) const {
    std::vector<SegmentValue> segments;
    for (int32_t at : nodes) {
        const int k = at / kMeshSide;
        const int r = at % kMeshSide;
        for (bool left : {true, false}) {
            segments.push_back(ReadSegment(MeshIndex(k, r - 1), true, left));
            segments.push_back(ReadSegment(MeshIndex(k, r), true, left));
            segments.push_back(ReadSegment(MeshIndex(k - 1, r), false, left));
            segments.push_back(ReadSegment(MeshIndex(k, r), false, left));
        }
    }
    return segments;
}

std::vector<SegmentValue> MeshEditor::SegmentsOffGrid(int width, int height) const {
    std::vector<SegmentValue> segments;
    const int cols = warp_.MeshCols;
    const int rows = warp_.MeshRows;
    if (cols == 0)
        return segments;
    const int dx = static_cast<int>(std::ceil(static_cast<double>(width) / (cols + 1)));
    const int dy = static_cast<int>(std::ceil(static_cast<double>(height) / (rows + 1)));
    auto keepIfOff = [&](int32_t index, bool vertical, int x, int y, int w, int h) {
        for (bool left : {true, false}) {
            const SegmentValue now = ReadSegment(index, vertical, left);
            if (now.x != x || now.y != y || now.width != w || now.height != h)
                segments.push_back(now);
        }
    };
    for (int k = 1; k <= cols; ++k)
        for (int r = 0; r <= rows; ++r)
            keepIfOff(MeshIndex(k, r), true, k * dx, r * dy, 1, r == rows ? height - r * dy : dy);
    for (int r = 1; r <= rows; ++r)
        for (int k = 0; k <= cols; ++k)
            keepIfOff(MeshIndex(k, r), false, k * dx, r * dy, k == cols ? width - k * dx : dx, 1);
    return segments;
}

void MeshEditor::PlaceSegments(const std::vector<SegmentValue>& segments) {
    for (const SegmentValue& s : segments) {
        TVectView& view = s.left ? left_ : right_;
        const ObjHandle h = Segments(s.vertical, s.left)[s.index];
        view.SetObjLeft(h, s.x);
        view.SetObjTop(h, s.y);
        view.SetObjWidth(h, s.width);
        view.SetObjHeight(h, s.height);
    }
}

std::vector<NodeValue> MeshEditor::NodesOffGrid(int width, int height) const {
    std::vector<NodeValue> moved;
    const int cols = warp_.MeshCols;
    const int rows = warp_.MeshRows;
    if (cols == 0)
        return moved;
    const int dx = static_cast<int>(std::ceil(static_cast<double>(width) / (cols + 1)));
    const int dy = static_cast<int>(std::ceil(static_cast<double>(height) / (rows + 1)));
    for (int k = 1; k <= cols; ++k) {
        for (int r = 1; r <= rows; ++r) {
            const int at = MeshIndex(k, r);
            const Point grid{k * dx, r * dy};
            if (!SamePoint(warp_.MeshSrc[at], grid) || !SamePoint(warp_.MeshDst[at], grid))
                moved.push_back(NodeValue{at, warp_.MeshSrc[at], warp_.MeshDst[at]});
        }
    }
    return moved;
}

void MeshEditor::PlaceNodes(const std::vector<NodeValue>& nodes) {
    for (const NodeValue& node : nodes) {
        const int k = node.index / kMeshSide;
        const int r = node.index % kMeshSide;
        if (k < 1 || k > warp_.MeshCols || r < 1 || r > warp_.MeshRows)
            continue;
        warp_.MeshSrc[node.index] = node.src;
        warp_.MeshDst[node.index] = node.dst;
        UpdateNode(k, r, warp_.MeshSrc, left_);
        UpdateNode(k, r, warp_.MeshDst, right_);
    }
    ShowFolds();
    ForgetPicks();
}

void MeshEditor::ShowFolds() {
    const int cols = warp_.MeshCols;
    const int rows = warp_.MeshRows;
    struct Side {
        TVectView& view;
        const Point* mesh;
        const ObjHandle *vertical, *horizontal;
        std::vector<MeshSegment>& shown;
        ObjHandle firstMarker;
    };
    const int first = MeshIndex(1, 1);
    for (Side side : {Side{left_, warp_.MeshSrc, warp_.MeshVLineLeft, warp_.MeshHLineLeft,
                           foldsLeft_, warp_.MeshNodeLeft[first]},
                      Side{right_, warp_.MeshDst, warp_.MeshVLineRight, warp_.MeshHLineRight,
                           foldsRight_, warp_.MeshNodeRight[first]}}) {
        std::vector<MeshSegment> folds;
        if (cols > 0) {
            const Point* mesh = side.mesh;
            FindFolds(
                cols, rows, [mesh](int k, int r) { return mesh[MeshIndex(k, r)].x; },
                [mesh](int k, int r) { return mesh[MeshIndex(k, r)].y; }, folds);
        }
        if (folds == side.shown)
            continue;
        auto handle = [&side](const MeshSegment& s) {
            return (s.vertical ? side.vertical : side.horizontal)[MeshIndex(s.k, s.r)];
        };
        // Only the segments that change colour are touched: both lists are in the
        // order FindFolds makes them.
        std::vector<MeshSegment> unfolded, folded;
        std::set_difference(side.shown.begin(), side.shown.end(), folds.begin(), folds.end(),
                            std::back_inserter(unfolded), FoldOrder);
        std::set_difference(folds.begin(), folds.end(), side.shown.begin(), side.shown.end(),
                            std::back_inserter(folded), FoldOrder);
        for (const MeshSegment& s : unfolded)
            side.view.SetObjPenColor(handle(s), kSegmentPen);
        // A folded segment lies along its neighbour on the same line: it goes above
        // the other segments (just behind the first node marker) to be seen.
        for (const MeshSegment& s : folded) {
            side.view.SetObjPenColor(handle(s), kFoldedSegmentPen);
            side.view.SetObjBackTo(handle(s), side.firstMarker);
        }
        side.shown = std::move(folds);
    }
}

void MeshEditor::MoveNodes(const std::vector<NodeValue>& nodes) {
    FinishGesture();
    std::vector<NodeChange> changes;
    std::vector<NodeValue> moves;
    std::vector<int32_t> indices;
    for (const NodeValue& node : nodes) {
        const int k = node.index / kMeshSide;
        const int r = node.index % kMeshSide;
        if (k < 1 || k > warp_.MeshCols || r < 1 || r > warp_.MeshRows)
            continue;
        const Point src = warp_.MeshSrc[node.index];
        const Point dst = warp_.MeshDst[node.index];
        if (SamePoint(src, node.src) && SamePoint(dst, node.dst))
            continue;
        changes.push_back(NodeChange{node.index, src, dst, node.src, node.dst});
        moves.push_back(node);
        indices.push_back(node.index);
    }
    if (changes.empty())
        return;
    std::vector<SegmentValue> before = SegmentsAt(indices);
    PlaceNodes(moves);
    Report(std::make_unique<MeshNodesStep>(*this, std::move(changes), std::move(before),
                                           SegmentsAt(indices)));
}

int MeshEditor::PickedColumn(TVectView& view) const {
    const ObjHandle h =
        IsLeft(view) ? warp_.MeshVLineLeft[MeshIndex(1, 1)] : warp_.MeshVLineRight[MeshIndex(1, 1)];
    return view.GetObjID(h) - 10;
}

int MeshEditor::PickedRow(TVectView& view) const {
    const ObjHandle h =
        IsLeft(view) ? warp_.MeshHLineLeft[MeshIndex(1, 1)] : warp_.MeshHLineRight[MeshIndex(1, 1)];
    return view.GetObjID(h) - 10;
}

bool MeshEditor::HitTest(int x, int y, TVectView& view) {
    if (warp_.MeshCols == 0) {
        return false;
    }
    const bool left = IsLeft(view);
    TVectView& other = Other(view);
    const ObjHandle otherMark = left ? warp_.RightCursorMark : warp_.LeftCursorMark;
    other.SetObjStyle(otherMark, TVectStyle{});
    const ObjHandle* markers = left ? warp_.MeshNodeLeft : warp_.MeshNodeRight;
    const ObjHandle pickColumn =
        left ? warp_.MeshVLineLeft[MeshIndex(1, 1)] : warp_.MeshVLineRight[MeshIndex(1, 1)];
    const ObjHandle pickRow =
        left ? warp_.MeshHLineLeft[MeshIndex(1, 1)] : warp_.MeshHLineRight[MeshIndex(1, 1)];
    for (int k = 1; k <= warp_.MeshCols; ++k) {
        for (int r = 1; r <= warp_.MeshRows; ++r) {
            const ObjHandle marker = markers[MeshIndex(k, r)];
            const int px = view.GetObjLeft(marker) + 5;
            const int py = view.GetObjTop(marker) + 5;
            if (std::abs(px - x) < kPickReach && std::abs(py - y) < kPickReach) {
                view.SetObjID(pickColumn, k + 10);
                view.SetObjID(pickRow, r + 10);
                const Point q =
                    left ? warp_.MeshDst[MeshIndex(k, r)] : warp_.MeshSrc[MeshIndex(k, r)];
                PlaceCursorMark(other, otherMark, q);
                other.SetObjStyle(otherMark, vsVisible);
                return true;
            }
        }
    }
    view.SetObjID(pickColumn, 0);
    view.SetObjID(pickRow, 0);
    return false;
}

void MeshEditor::Drag(int x, int y, TVectView& view, bool moveAll) {
    if (warp_.MeshCols == 0) {
        return;
    }
    const int k = PickedColumn(view);
    const int r = PickedRow(view);
    if (k < 0 || r < 0) {
        return;
    }
    const int at = MeshIndex(k, r);
    if (drag_ && drag_->index != at) {
        FinishGesture();
    }
    if (!drag_) {
        drag_ = NodeChange{at, warp_.MeshSrc[at], warp_.MeshDst[at], {}, {}};
        dragSegments_ = SegmentsAt({at});
    }
    if (IsLeft(view)) {
        if (moveAll) {
            warp_.MeshDst[at] = Point{x, y};
            UpdateNode(k, r, warp_.MeshDst, right_);
        }
        warp_.MeshSrc[at] = Point{x, y};
        UpdateNode(k, r, warp_.MeshSrc, left_);
    } else {
        warp_.MeshDst[at] = Point{x, y};
        UpdateNode(k, r, warp_.MeshDst, right_);
    }
}

void MeshEditor::UpdateNode(int k, int r, const Point* mesh, TVectView& view) {
    const bool left = IsLeft(view);
    const ObjHandle marker = (left ? warp_.MeshNodeLeft : warp_.MeshNodeRight)[MeshIndex(k, r)];
    view.SetObjLeft(marker, mesh[MeshIndex(k, r)].x - 5);
    view.SetObjTop(marker, mesh[MeshIndex(k, r)].y - 5);

    const Point* counterpart = left ? warp_.MeshDst : warp_.MeshSrc;
    PlaceCursorMark(Other(view), left ? warp_.RightCursorMark : warp_.LeftCursorMark,
                    counterpart[MeshIndex(k, r)]);

    const ObjHandle* vertical = left ? warp_.MeshVLineLeft : warp_.MeshVLineRight;
    for (int j = r - 1; j <= r; ++j) {
        SetSegment(view, vertical[MeshIndex(k, j)], mesh[MeshIndex(k, j)],
                   mesh[MeshIndex(k, j + 1)]);
    }
    const ObjHandle* horizontal = left ? warp_.MeshHLineLeft : warp_.MeshHLineRight;
    for (int j = k - 1; j <= k; ++j) {
        SetSegment(view, horizontal[MeshIndex(j, r)], mesh[MeshIndex(j, r)],
                   mesh[MeshIndex(j + 1, r)]);
    }
}
