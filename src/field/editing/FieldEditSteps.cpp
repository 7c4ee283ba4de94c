#include "FieldEditSteps.hpp"

#include "FieldEditor.hpp"

FieldTailStep::FieldTailStep(FieldEditor& editor, int from, std::vector<FieldSlot> before,
                             std::vector<FieldSlot> after, ShownCounts shown)
    : editor_(editor), from_(from), before_(std::move(before)), after_(std::move(after)),
      shown_(shown) {
    before_.shrink_to_fit();
    after_.shrink_to_fit();
}

void FieldTailStep::Undo() {
    editor_.SetTail(from_, before_);
    editor_.SetShownCount(shown_.before);
}

void FieldTailStep::Redo() {
    editor_.SetTail(from_, after_);
    editor_.SetShownCount(shown_.after);
}

std::size_t FieldTailStep::Bytes() const {
    return HeapBytes(sizeof(*this)) + HeapBytes(before_.capacity() * sizeof(FieldSlot)) +
           HeapBytes(after_.capacity() * sizeof(FieldSlot));
}

FieldPointStep::FieldPointStep(FieldEditor& editor, int index, FieldSlot before, FieldSlot after,
                               int shown)
    : editor_(editor), index_(index), before_(before), after_(after), shown_(shown) {}

void FieldPointStep::Undo() {
    editor_.PlacePoint(index_, before_);
    editor_.SetShownCount(shown_);
}

void FieldPointStep::Redo() {
    editor_.PlacePoint(index_, after_);
    editor_.SetShownCount(shown_);
}
