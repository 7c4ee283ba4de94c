// The mesh method's editing: lays the regular grid in both views, picks an inner
// node under the mouse and drags it, and keeps the objects that draw the mesh in
// step with the two node arrays of the state record. Each "New mesh" and each
// drag is reported as one undoable edit.
#pragma once

#include "MeshEditSteps.hpp"
#include "MeshFolds.hpp"
#include "MethodEditor.hpp"
#include "WarpState.hpp"

#include <optional>
#include <vector>

class TVectView;

class MeshEditor : public MethodEditor {
public:
    MeshEditor(WarpObjStru& warp, TVectView& left, TVectView& right);

    // Record a press or a release in view; a release ends the drag.
    void Press(int x, int y, TVectView& view) override;
    void Release(int x, int y, TVectView& view) override;
    // Moves the node picked in view to (x, y); with moveBoth a drag in the left view
    // puts the destination node there too.
    void Drag(int x, int y, TVectView& view, bool moveBoth) override;
    // Picks the inner node within reach of (x, y) in view (lowest column, then row)
    // and marks its counterpart in the other view; false and no pick when none is.
    bool HitTest(int x, int y, TVectView& view) override;
    bool HasGeometry() const override { return warp_.MeshCols > 0; }
    void FinishGesture() override;
    void ForgetPicks() override;

    // "New mesh": replaces both meshes by the regular grid of cols x rows inner lines
    // over an image of width x height pixels. Counts outside 1..100 change nothing.
    void NewMesh(int cols, int rows, int width, int height);
    // Gives inner nodes new positions in both meshes as one undoable edit (an
    // outside tool placing many nodes at once); nodes that do not move are left out.
    void MoveNodes(const std::vector<NodeValue>& nodes);

    // Lays the regular grid without reporting it; 0 x 0 removes the mesh.
    void LayGrid(int cols, int rows, int width, int height);
    // Sets inner nodes of both meshes and redraws them, then forgets the picks.
    void PlaceNodes(const std::vector<NodeValue>& nodes);
    // The segments at the given inner nodes in both views, as drawn now.
    std::vector<SegmentValue> SegmentsAt(const std::vector<int32_t>& nodes) const;
    // The segments of the current mesh drawn otherwise than its regular grid draws them.
    std::vector<SegmentValue> SegmentsOffGrid(int width, int height) const;
    // Draws segments as the values say.
    void PlaceSegments(const std::vector<SegmentValue>& segments);
    // The inner nodes of the current mesh that differ from its regular grid.
    std::vector<NodeValue> NodesOffGrid(int width, int height) const;
    // Redraws node (k, r) of mesh (MeshSrc for the left view, MeshDst for the right).
    void UpdateNode(int k, int r, const Point* mesh, TVectView& view);

    // Draws the folded segments of both meshes in the warning colour and the rest
    // in the usual red; called when a node is dropped, not while it moves.
    void ShowFolds();
    // The folded segments each view shows.
    const std::vector<MeshSegment>& FoldsShown(const TVectView& view) const {
        return IsLeft(view) ? foldsLeft_ : foldsRight_;
    }

    // The node picked in view as (column, row); a component below 0 means no pick.
    int PickedColumn(TVectView& view) const;
    int PickedRow(TVectView& view) const;

private:
    // Removes every object of the current mesh from both views.
    void RemoveMeshObjects();
    // The segment objects of a view.
    const ObjHandle* Segments(bool vertical, bool left) const {
        return vertical ? (left ? warp_.MeshVLineLeft : warp_.MeshVLineRight)
                        : (left ? warp_.MeshHLineLeft : warp_.MeshHLineRight);
    }
    SegmentValue ReadSegment(int32_t index, bool vertical, bool left) const;
    // Creates a red segment in both views from the grid geometry.
    void AddSegmentPair(ObjHandle& left, ObjHandle& right, int x, int y, int w, int h);
    bool IsLeft(const TVectView& view) const { return &view == &left_; }
    TVectView& Other(const TVectView& view) { return IsLeft(view) ? right_ : left_; }

    WarpObjStru& warp_;
    TVectView& left_;
    TVectView& right_;
    std::optional<NodeChange> drag_;         // the node a drag under way moves, as it was
    std::vector<SegmentValue> dragSegments_; // and its segments
    std::vector<MeshSegment> foldsLeft_, foldsRight_;
};
