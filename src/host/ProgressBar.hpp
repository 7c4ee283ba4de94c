// A progress bar on stderr for long loads and saves, drawn only when stderr is a terminal and
// the work has taken more than a moment; cleared again when done, so logs and pipes never
// see it.
#pragma once

#include <chrono>
#include <cstdio>
#include <string>

class ProgressBar {
public:
    // On stderr, shown once the work has taken 0.4 s, when stderr is a terminal.
    explicit ProgressBar(std::string label);
    // On out, shown once after has passed, when terminal.
    ProgressBar(std::string label, std::FILE* out, bool terminal, std::chrono::milliseconds after);
    ~ProgressBar(); // clears the line if anything was drawn
    ProgressBar(const ProgressBar&) = delete;
    ProgressBar& operator=(const ProgressBar&) = delete;

    // done of count steps; count 0 when the total is not known (a count of frames is shown).
    void Update(int done, int count);

private:
    std::string label_;
    std::FILE* out_;
    bool terminal_;
    std::chrono::milliseconds after_;
    bool drawn_ = false;
    std::chrono::steady_clock::time_point start_;
};
