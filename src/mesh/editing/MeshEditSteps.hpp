// The undoable edits of the mesh method: nodes moved (one drag, or every node an
// outside tool placed at once) and a new grid laid over the old mesh.
#pragma once

#include "EditStep.hpp"
#include "WarpState.hpp"

#include <vector>

class MeshEditor;

// Both positions of inner node [index] of the mesh arrays.
struct NodeValue {
    int32_t index;
    Point src, dst;
};

// Where a segment object of one view is drawn: the box a line runs across.
// Undo puts these back as they were, since a segment a drag redrew is not drawn
// quite as the grid first laid it (the last one of a line ends a pixel short).
struct SegmentValue {
    int32_t index; // [k][r] of the segment arrays
    bool vertical, left;
    int32_t x, y, width, height;
};

// One node before and after an edit.
struct NodeChange {
    int32_t index;
    Point srcBefore, dstBefore, srcAfter, dstAfter;
};

class MeshNodesStep : public EditStep {
public:
    // segmentsBefore and segmentsAfter: the segments at the changed nodes.
    MeshNodesStep(MeshEditor& editor, std::vector<NodeChange> changes,
                  std::vector<SegmentValue> segmentsBefore,
                  std::vector<SegmentValue> segmentsAfter);
    void Undo() override;
    void Redo() override;
    std::size_t Bytes() const override;

private:
    void Apply(bool after);
    MeshEditor& editor_;
    std::vector<NodeChange> changes_;
    std::vector<SegmentValue> segmentsBefore_, segmentsAfter_;
};

class NewMeshStep : public EditStep {
public:
    // The old mesh is cols x rows (0 x 0 for none); its nodes that differ from the
    // regular grid of that size are in moved, its segments drawn otherwise than
    // the grid draws them in segments. The new one is the regular grid.
    NewMeshStep(MeshEditor& editor, int width, int height, int oldCols, int oldRows,
                std::vector<NodeValue> moved, std::vector<SegmentValue> segments, int newCols,
                int newRows);
    void Undo() override;
    void Redo() override;
    std::size_t Bytes() const override;

private:
    MeshEditor& editor_;
    int width_, height_;
    int oldCols_, oldRows_;
    std::vector<NodeValue> moved_;
    std::vector<SegmentValue> segments_;
    int newCols_, newRows_;
};
