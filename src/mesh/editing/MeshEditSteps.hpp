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

// One node before and after an edit.
struct NodeChange {
    int32_t index;
    Point srcBefore, dstBefore, srcAfter, dstAfter;
};

class MeshNodesStep : public EditStep {
public:
    MeshNodesStep(MeshEditor& editor, std::vector<NodeChange> changes);
    void Undo() override;
    void Redo() override;
    std::size_t Bytes() const override;

private:
    void Apply(bool after);
    MeshEditor& editor_;
    std::vector<NodeChange> changes_;
};

class NewMeshStep : public EditStep {
public:
    // The old mesh is cols x rows (0 x 0 for none); its nodes that differ from the
    // regular grid of that size are in moved. The new one is the regular grid.
    NewMeshStep(MeshEditor& editor, int width, int height, int oldCols, int oldRows,
                std::vector<NodeValue> moved, int newCols, int newRows);
    void Undo() override;
    void Redo() override;
    std::size_t Bytes() const override;

private:
    MeshEditor& editor_;
    int width_, height_;
    int oldCols_, oldRows_;
    std::vector<NodeValue> moved_;
    int newCols_, newRows_;
};
