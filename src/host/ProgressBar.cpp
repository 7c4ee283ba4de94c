#include "ProgressBar.hpp"

#include <unistd.h>

namespace {
constexpr int kBarWidth = 30;
} // namespace

ProgressBar::ProgressBar(std::string label)
    : ProgressBar(std::move(label), stderr, ::isatty(STDERR_FILENO) == 1,
                  std::chrono::milliseconds(400)) {}

ProgressBar::ProgressBar(std::string label, std::FILE* out, bool terminal,
                         std::chrono::milliseconds after)
    : label_(std::move(label)), out_(out), terminal_(terminal), after_(after),
      start_(std::chrono::steady_clock::now()) {}

ProgressBar::~ProgressBar() {
    if (drawn_) {
        std::fputs("\r\033[K", out_);
        std::fflush(out_);
    }
}

void ProgressBar::Update(int done, int count) {
    if (!terminal_ || std::chrono::steady_clock::now() - start_ < after_)
        return;
    if (count > 0) {
        const int filled = static_cast<int>(int64_t{kBarWidth} * std::min(done, count) / count);
        std::fprintf(out_, "\r%s [%s%s] %d/%d", label_.c_str(), std::string(filled, '#').c_str(),
                     std::string(kBarWidth - filled, ' ').c_str(), done, count);
    } else {
        std::fprintf(out_, "\r%s: %d frames", label_.c_str(), done);
    }
    std::fflush(out_);
    drawn_ = true;
}
