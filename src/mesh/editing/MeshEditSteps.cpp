#include "MeshEditSteps.hpp"

#include "MeshEditor.hpp"

MeshNodesStep::MeshNodesStep(MeshEditor& editor, std::vector<NodeChange> changes,
                             std::vector<SegmentValue> segmentsBefore,
                             std::vector<SegmentValue> segmentsAfter)
    : editor_(editor), changes_(std::move(changes)), segmentsBefore_(std::move(segmentsBefore)),
      segmentsAfter_(std::move(segmentsAfter)) {
    changes_.shrink_to_fit();
    segmentsBefore_.shrink_to_fit();
    segmentsAfter_.shrink_to_fit();
}

void MeshNodesStep::Apply(bool after) {
    std::vector<NodeValue> values;
    values.reserve(changes_.size());
    for (const NodeChange& c : changes_)
        values.push_back(after ? NodeValue{c.index, c.srcAfter, c.dstAfter}
                               : NodeValue{c.index, c.srcBefore, c.dstBefore});
    editor_.PlaceNodes(values);
    editor_.PlaceSegments(after ? segmentsAfter_ : segmentsBefore_);
}

void MeshNodesStep::Undo() {
    Apply(false);
}

void MeshNodesStep::Redo() {
    Apply(true);
}

std::size_t MeshNodesStep::Bytes() const {
    return HeapBytes(sizeof(*this)) + HeapBytes(changes_.capacity() * sizeof(NodeChange)) +
           HeapBytes(segmentsBefore_.capacity() * sizeof(SegmentValue)) +
           HeapBytes(segmentsAfter_.capacity() * sizeof(SegmentValue));
}

NewMeshStep::NewMeshStep(MeshEditor& editor, int width, int height, int oldCols, int oldRows,
                         std::vector<NodeValue> moved, std::vector<SegmentValue> segments,
                         int newCols, int newRows)
    : editor_(editor), width_(width), height_(height), oldCols_(oldCols), oldRows_(oldRows),
      moved_(std::move(moved)), segments_(std::move(segments)), newCols_(newCols),
      newRows_(newRows) {
    moved_.shrink_to_fit();
    segments_.shrink_to_fit();
}

void NewMeshStep::Undo() {
    editor_.LayGrid(oldCols_, oldRows_, width_, height_);
    editor_.PlaceNodes(moved_);
    editor_.PlaceSegments(segments_);
}

void NewMeshStep::Redo() {
    editor_.LayGrid(newCols_, newRows_, width_, height_);
    editor_.ForgetPicks();
}

std::size_t NewMeshStep::Bytes() const {
    return HeapBytes(sizeof(*this)) + HeapBytes(moved_.capacity() * sizeof(NodeValue)) +
           HeapBytes(segments_.capacity() * sizeof(SegmentValue));
}
