#include "MeshEditSteps.hpp"

#include "MeshEditor.hpp"

MeshNodesStep::MeshNodesStep(MeshEditor& editor, std::vector<NodeChange> changes)
    : editor_(editor), changes_(std::move(changes)) {
    changes_.shrink_to_fit();
}

void MeshNodesStep::Apply(bool after) {
    std::vector<NodeValue> values;
    values.reserve(changes_.size());
    for (const NodeChange& c : changes_)
        values.push_back(after ? NodeValue{c.index, c.srcAfter, c.dstAfter}
                               : NodeValue{c.index, c.srcBefore, c.dstBefore});
    editor_.PlaceNodes(values);
}

void MeshNodesStep::Undo() {
    Apply(false);
}

void MeshNodesStep::Redo() {
    Apply(true);
}

std::size_t MeshNodesStep::Bytes() const {
    return HeapBytes(sizeof(*this)) + HeapBytes(changes_.capacity() * sizeof(NodeChange));
}

NewMeshStep::NewMeshStep(MeshEditor& editor, int width, int height, int oldCols, int oldRows,
                         std::vector<NodeValue> moved, int newCols, int newRows)
    : editor_(editor), width_(width), height_(height), oldCols_(oldCols), oldRows_(oldRows),
      moved_(std::move(moved)), newCols_(newCols), newRows_(newRows) {
    moved_.shrink_to_fit();
}

void NewMeshStep::Undo() {
    editor_.LayGrid(oldCols_, oldRows_, width_, height_);
    editor_.PlaceNodes(moved_);
}

void NewMeshStep::Redo() {
    editor_.LayGrid(newCols_, newRows_, width_, height_);
    editor_.ForgetPicks();
}

std::size_t NewMeshStep::Bytes() const {
    return HeapBytes(sizeof(*this)) + HeapBytes(moved_.capacity() * sizeof(NodeValue));
}
