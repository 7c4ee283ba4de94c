// The undoable edits of the field method: a change at the end of the point store
// (points added by a press, a break, "Undo last", "Clear"), and one point moved.
#pragma once

#include "EditStep.hpp"
#include "WarpState.hpp"

#include <vector>

class FieldEditor;

// One entry of the point store: a point in both images, or a break (x BREAK_MARK).
struct FieldSlot {
    Point src, dst;
};

// The point count the panel's counters show, before and after a step: they
// follow presses, "Undo last" and "Clear", not breaks or moves.
struct ShownCounts {
    int before, after;
};

class FieldTailStep : public EditStep {
public:
    // The store from entry `from` on held `before` and holds `after`.
    FieldTailStep(FieldEditor& editor, int from, std::vector<FieldSlot> before,
                  std::vector<FieldSlot> after, ShownCounts shown);
    void Undo() override;
    void Redo() override;
    std::size_t Bytes() const override;

private:
    FieldEditor& editor_;
    int from_;
    std::vector<FieldSlot> before_, after_;
    ShownCounts shown_;
};

class FieldPointStep : public EditStep {
public:
    FieldPointStep(FieldEditor& editor, int index, FieldSlot before, FieldSlot after, int shown);
    void Undo() override;
    void Redo() override;
    std::size_t Bytes() const override { return HeapBytes(sizeof(*this)); }

private:
    FieldEditor& editor_;
    int index_;
    FieldSlot before_, after_;
    int shown_;
};
