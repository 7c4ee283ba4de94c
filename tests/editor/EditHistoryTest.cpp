// The history on its own: undo and redo order, redo steps dropped by a new
// step, and the oldest steps dropped when the steps hold more than the budget.
#include "EditHistory.hpp"

#include <gtest/gtest.h>

#include <string>

namespace {

// A step that appends "-N" or "+N" to a log when taken back or made again.
class LoggedStep : public EditStep {
public:
    LoggedStep(std::string& log, int id, std::size_t bytes) : log_(log), id_(id), bytes_(bytes) {}
    void Undo() override { log_ += "-" + std::to_string(id_); }
    void Redo() override { log_ += "+" + std::to_string(id_); }
    std::size_t Bytes() const override { return bytes_; }

private:
    std::string& log_;
    int id_;
    std::size_t bytes_;
};

TEST(EditHistory, UndoesNewestFirstAndANewStepDropsTheRedoSteps) {
    std::string log;
    EditHistory history;
    for (int id = 1; id <= 3; ++id)
        history.Record(std::make_unique<LoggedStep>(log, id, 100));
    EXPECT_TRUE(history.Undo());
    EXPECT_TRUE(history.Undo());
    EXPECT_TRUE(history.Redo());
    EXPECT_EQ(log, "-3-2+2");
    history.Record(std::make_unique<LoggedStep>(log, 4, 100));
    EXPECT_EQ(history.RedoCount(), 0u);
    EXPECT_FALSE(history.Redo());
    while (history.Undo()) {
    }
    EXPECT_EQ(log, "-3-2+2-4-2-1");
    EXPECT_FALSE(history.Undo());
}

TEST(EditHistory, TheOldestStepsGoWhenTheBudgetIsExceeded) {
    std::string log;
    EditHistory history(1000);
    for (int id = 1; id <= 25; ++id)
        history.Record(std::make_unique<LoggedStep>(log, id, 100));
    EXPECT_EQ(history.UndoCount(), 10u);
    EXPECT_LE(history.Bytes(), 1000u + 2048u);
    while (history.Undo()) {
    }
    EXPECT_EQ(log, "-25-24-23-22-21-20-19-18-17-16");
    // A step larger than the budget on its own is still kept, alone.
    history.Record(std::make_unique<LoggedStep>(log, 99, 5000));
    EXPECT_EQ(history.UndoCount(), 1u);
    EXPECT_EQ(history.RedoCount(), 0u);
}

} // namespace
