// The mesh method's editing: lays the regular grid in both views, picks an inner
// node under the mouse and drags it, and keeps the objects that draw the mesh in
// step with the two node arrays of the state record.
#pragma once

#include "WarpState.hpp"

class TVectView;

class MeshEditor {
public:
    MeshEditor(WarpObjStru& warp, TVectView& left, TVectView& right);

    // Replaces both meshes by the regular grid of cols x rows inner lines over an
    // image of width x height pixels, removing the objects of the old mesh first.
    // Counts outside 1..100 lay no mesh and change nothing.
    void NewMesh(int cols, int rows, int width, int height);
    // Record a press or a release in view.
    void MouseDown(int x, int y, TVectView& view);
    void MouseUp(int x, int y, TVectView& view);
    // Moves the node picked in view to (x, y); with moveAll a drag in the left view
    // puts the destination node there too.
    void DragNode(int x, int y, TVectView& view, bool moveAll);
    // Picks the inner node within reach of (x, y) in view (lowest column, then row)
    // and marks its counterpart in the other view; false and no pick when none is.
    bool HitTest(int x, int y, TVectView& view);
    // Redraws node (k, r) of mesh (MeshSrc for the left view, MeshDst for the right).
    void UpdateNode(int k, int r, const Point* mesh, TVectView& view);

    // The node picked in view as (column, row); a component below 0 means no pick.
    int PickedColumn(TVectView& view) const;
    int PickedRow(TVectView& view) const;

private:
    // Removes every object of the current mesh from both views.
    void RemoveMeshObjects();
    // Creates a red segment in both views from the grid geometry.
    void AddSegmentPair(ObjHandle& left, ObjHandle& right, int x, int y, int w, int h);
    bool IsLeft(const TVectView& view) const { return &view == &left_; }
    TVectView& Other(const TVectView& view) { return IsLeft(view) ? right_ : left_; }

    WarpObjStru& warp_;
    TVectView& left_;
    TVectView& right_;
};
