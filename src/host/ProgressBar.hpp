// A progress bar on stderr for long saves, drawn only when stderr is a terminal and the work
// has taken more than a moment; cleared again when done, so logs and pipes never see it.
#pragma once

#include <chrono>
#include <string>

class ProgressBar {
public:
    explicit ProgressBar(std::string label);
    ~ProgressBar(); // clears the line if anything was drawn
    ProgressBar(const ProgressBar&) = delete;
    ProgressBar& operator=(const ProgressBar&) = delete;

    void Update(int done, int count);

private:
    std::string label_;
    bool terminal_;
    bool drawn_ = false;
    std::chrono::steady_clock::time_point start_;
};
