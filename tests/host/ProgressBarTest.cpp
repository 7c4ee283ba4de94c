// The progress bar draws only on a terminal, only after its moment, and clears its line.
#include "ProgressBar.hpp"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace {

std::string Drawn(bool terminal, std::chrono::milliseconds after, int count) {
    std::FILE* out = std::tmpfile();
    {
        ProgressBar bar("saving x.gif", out, terminal, after);
        bar.Update(1, count);
        bar.Update(2, count);
    }
    std::string text(256, '\0');
    std::rewind(out);
    text.resize(std::fread(text.data(), 1, text.size(), out));
    std::fclose(out);
    return text;
}

TEST(ProgressBar, DrawsOnATerminalAfterItsMomentAndClearsItsLine) {
    using std::chrono::milliseconds;
    EXPECT_EQ(Drawn(true, milliseconds(0), 4),
              "\rsaving x.gif [#######                       ] 1/4"
              "\rsaving x.gif [###############               ] 2/4\r\033[K");
    EXPECT_EQ(Drawn(true, milliseconds(0), 0),
              "\rsaving x.gif: 1 frames\rsaving x.gif: 2 frames\r\033[K");
    EXPECT_EQ(Drawn(false, milliseconds(0), 4), "") << "not a terminal";
    EXPECT_EQ(Drawn(true, milliseconds(3'600'000), 4), "") << "quick work";
}

} // namespace
