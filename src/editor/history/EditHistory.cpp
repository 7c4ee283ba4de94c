#include "EditHistory.hpp"

void EditHistory::Record(std::unique_ptr<EditStep> step) {
    if (!step)
        return;
    while (steps_.size() > done_) {
        stepBytes_ -= steps_.back()->Bytes();
        steps_.pop_back();
    }
    stepBytes_ += step->Bytes();
    steps_.push_back(std::move(step));
    ++done_;
    // The newest step stays even when it alone is over the budget.
    while (stepBytes_ > budget_ && steps_.size() > 1) {
        stepBytes_ -= steps_.front()->Bytes();
        steps_.pop_front();
        --done_;
    }
}

bool EditHistory::Undo() {
    if (done_ == 0)
        return false;
    steps_[--done_]->Undo();
    return true;
}

bool EditHistory::Redo() {
    if (done_ == steps_.size())
        return false;
    steps_[done_++]->Redo();
    return true;
}

void EditHistory::Clear() {
    steps_.clear();
    done_ = 0;
    stepBytes_ = 0;
}

std::size_t EditHistory::Bytes() const {
    // A deque keeps its pointers in blocks of 512 bytes.
    const std::size_t blocks = steps_.size() * sizeof(steps_.front()) / 512 + 1;
    return sizeof(*this) + blocks * HeapBytes(512) + stepBytes_;
}
