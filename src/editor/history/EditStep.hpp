// One undoable edit: it can take itself back and make itself again, and says
// how much memory it holds so that a history can keep within a budget.
#pragma once

#include <cstddef>

class EditStep {
public:
    virtual ~EditStep() = default;
    // Puts back the state from before the edit.
    virtual void Undo() = 0;
    // Makes the edit again on the state Undo left.
    virtual void Redo() = 0;
    // Bytes this step holds, itself and its heap storage included.
    virtual std::size_t Bytes() const = 0;
};

// The heap cost of one allocation of n bytes, with the allocator's bookkeeping.
constexpr std::size_t HeapBytes(std::size_t n) {
    return n == 0 ? 0 : ((n + 8 + 15) / 16) * 16;
}
