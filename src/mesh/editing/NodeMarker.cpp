#include "NodeMarker.hpp"

#include "VectView.hpp"

void AddNodeMarker(ObjHandle& slot, int x, int y, TColor brush, TColor pen, TVectView& view) {
    slot = view.AddNewObject();
    view.SetObjKind(slot, okBOX);
    view.SetObjWidth(slot, 10);
    view.SetObjHeight(slot, 10);
    view.SetObjPenColor(slot, pen);
    view.SetObjBrushStyle(slot, bsSolid);
    view.SetObjBrushColor(slot, brush);
    view.SetObjStyle(slot, vsVisible);
    view.SetObjLeft(slot, x - 5);
    view.SetObjTop(slot, y - 5);
    view.SetObjFrontOf(slot, -1);
}

void PlaceCursorMark(TVectView& view, ObjHandle mark, Point p) {
    view.SetObjLeft(mark, p.x - 10);
    view.SetObjTop(mark, p.y - 10);
}

void SetSegment(TVectView& view, ObjHandle segment, Point a, Point b) {
    view.SetObjLeft(segment, a.x);
    view.SetObjTop(segment, a.y);
    const int width = b.x - a.x;
    const int height = b.y - a.y;
    view.SetObjWidth(segment, width == 0 ? 1 : width);
    view.SetObjHeight(segment, height == 0 ? 1 : height);
}

void RecordPress(WarpObjStru& warp, bool leftView, int x, int y) {
    (leftView ? warp.LeftDownX : warp.RightDownX) = x;
    (leftView ? warp.LeftDownY : warp.RightDownY) = y;
}

void RecordRelease(WarpObjStru& warp, bool leftView, int x, int y) {
    (leftView ? warp.LeftUpX : warp.RightUpX) = x;
    (leftView ? warp.LeftUpY : warp.RightUpY) = y;
}
