// A linear undo history of edit steps: recording drops whatever could have been
// redone; the oldest steps go when the steps together hold more than the budget.
#pragma once

#include "EditStep.hpp"

#include <cstddef>
#include <deque>
#include <memory>

class EditHistory {
public:
    // 32 MB: ten thousand drags of a 100 x 100 mesh take a small part of it.
    static constexpr std::size_t kDefaultBudget = std::size_t{32} << 20;

    explicit EditHistory(std::size_t budget = kDefaultBudget) : budget_(budget) {}

    // Adds a step that has already been made.
    void Record(std::unique_ptr<EditStep> step);
    // Take back the newest step, or make the last undone one again; false when there is none.
    bool Undo();
    bool Redo();
    // Forgets every step.
    void Clear();

    std::size_t UndoCount() const { return done_; }
    std::size_t RedoCount() const { return steps_.size() - done_; }
    // Bytes held by all steps and the history's own list.
    std::size_t Bytes() const;

private:
    std::deque<std::unique_ptr<EditStep>> steps_;
    std::size_t done_ = 0; // steps_[0, done_) are made; the rest were undone
    std::size_t stepBytes_ = 0;
    std::size_t budget_;
};
