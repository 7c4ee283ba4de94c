// The undoable edit of several field points moved at once (an outside tool that
// places many points together, such as the auto-fit).
#pragma once

#include "EditStep.hpp"
#include "FieldEditSteps.hpp"

#include <vector>

class FieldEditor;

// Point [index] of the store before and after the edit.
struct FieldPointChange {
    int index;
    FieldSlot before, after;
};

class FieldPointsStep : public EditStep {
public:
    // shown: the point count the counters show, which moving points leaves as it is.
    FieldPointsStep(FieldEditor& editor, std::vector<FieldPointChange> changes, int shown);
    void Undo() override;
    void Redo() override;
    std::size_t Bytes() const override;

private:
    void Apply(bool after);
    FieldEditor& editor_;
    std::vector<FieldPointChange> changes_;
    int shown_;
};
