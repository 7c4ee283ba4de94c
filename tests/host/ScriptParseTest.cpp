// Script syntax: what is accepted and the line and reason of what is not.
#include "Script.hpp"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>

#include <unistd.h>

namespace {

// Each test writes its own file: CTest runs the tests of this program side by side.
std::string WriteScript(const std::string& text) {
    std::string path = ::testing::TempDir() + "script-" +
                       ::testing::UnitTest::GetInstance()->current_test_info()->name() + "-" +
                       std::to_string(getpid()) + ".txt";
    std::ofstream(path) << text;
    return path;
}

TEST(ScriptParse, AcceptsEveryCommandAndSkipsCommentsAndBlankLines) {
    auto commands = ScriptPlayer::Parse(WriteScript("# a comment\n"
                                                    "click MorphPreview_btn\n"
                                                    "\n"
                                                    "text Frames_ed 12 and more\n"
                                                    "down LeftView 10 20 right\n"
                                                    "move LeftView 11 21\n"
                                                    "up LeftView 11 21   # trailing comment\n"
                                                    "drag RightView 1 2 3 4\n"
                                                    "wheel LeftView -120\n"
                                                    "key Frames_ed Up\n"
                                                    "wait 250\n"
                                                    "shot out.png\n"
                                                    "where VA_end\n"
                                                    "shot under.png frmTweenkit\n"
                                                    "close\n"));
    ASSERT_EQ(commands.size(), 13u);
    EXPECT_EQ(commands[1].line, 4);
    EXPECT_EQ(commands[1].args[1], "12 and more");
    EXPECT_EQ(commands[2].args.back(), "right");
}

TEST(ScriptParse, KeysTakeModifiers) {
    auto commands = ScriptPlayer::Parse(WriteScript("key LeftView ctrl+z\n"
                                                    "key LeftView ctrl+shift+z\n"
                                                    "key LeftView ctrl+Y\n"
                                                    "key Frames_ed shift+Tab\n"
                                                    "key Frames_ed +\n"));
    ASSERT_EQ(commands.size(), 5u);
    EXPECT_EQ(commands[1].args[1], "ctrl+shift+z");
}

TEST(ScriptParse, RejectsBadLinesWithTheirNumberAndReason) {
    struct Case {
        const char* text;
        const char* reason;
    } cases[] = {
        {"click A\nfly away\n", ":2: unknown command 'fly'"},
        {"click\n", ":1: wrong number of arguments for 'click'"},
        {"down A 1\n", ":1: wrong number of arguments for 'down'"},
        {"down A 1 2 left\n", ":1: the last word may only be 'right'"},
        {"move A x 2\n", ":1: 'x' is not a whole number"},
        {"wait -5\n", ":1: wait needs a time of 0 or more"},
        {"key A Hyper\n", ":1: unknown key 'Hyper'"},
        {"key A hyper+z\n", ":1: unknown key 'hyper+z'"},
        {"key A ctrl+\n", ":1: unknown key 'ctrl+'"},
        {"key A ctrl+zz\n", ":1: unknown key 'ctrl+zz'"},
        {"text\n", ":1: text needs a control name and a value"},
    };
    for (const Case& c : cases) {
        try {
            ScriptPlayer::Parse(WriteScript(c.text));
            ADD_FAILURE() << c.text;
        } catch (const std::runtime_error& error) {
            EXPECT_NE(std::string(error.what()).find(c.reason), std::string::npos) << error.what();
        }
    }
}

} // namespace
