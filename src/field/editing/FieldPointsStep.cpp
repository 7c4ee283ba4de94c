#include "FieldPointsStep.hpp"

#include "FieldEditor.hpp"

FieldPointsStep::FieldPointsStep(FieldEditor& editor, std::vector<FieldPointChange> changes,
                                 int shown)
    : editor_(editor), changes_(std::move(changes)), shown_(shown) {
    changes_.shrink_to_fit();
}

void FieldPointsStep::Apply(bool after) {
    for (const FieldPointChange& c : changes_)
        editor_.PlacePoint(c.index, after ? c.after : c.before);
    editor_.SetShownCount(shown_);
}

void FieldPointsStep::Undo() {
    Apply(false);
}

void FieldPointsStep::Redo() {
    Apply(true);
}

std::size_t FieldPointsStep::Bytes() const {
    return HeapBytes(sizeof(*this)) + HeapBytes(changes_.capacity() * sizeof(FieldPointChange));
}
