#include "ProgressBar.hpp"

#include <unistd.h>

#include <cstdio>

namespace {
constexpr auto kMoment = std::chrono::milliseconds(400);
constexpr int kBarWidth = 30;
} // namespace

ProgressBar::ProgressBar(std::string label)
    : label_(std::move(label)), terminal_(::isatty(STDERR_FILENO) == 1),
      start_(std::chrono::steady_clock::now()) {}

ProgressBar::~ProgressBar() {
    if (drawn_) {
        std::fputs("\r\033[K", stderr);
        std::fflush(stderr);
    }
}

void ProgressBar::Update(int done, int count) {
    if (!terminal_ || count <= 0 || std::chrono::steady_clock::now() - start_ < kMoment)
        return;
    const int filled = static_cast<int>(int64_t{kBarWidth} * done / count);
    std::fprintf(stderr, "\r%s [%s%s] %d/%d", label_.c_str(), std::string(filled, '#').c_str(),
                 std::string(kBarWidth - filled, ' ').c_str(), done, count);
    std::fflush(stderr);
    drawn_ = true;
}
