// A private X server for the tests of one process: Xvfb on a display number it
// picks itself, stopped when the suite ends; the X tools that let a test look
// at it (xwininfo for windows, xwd for the pixels a window shows); and a child
// process started on that display.
#pragma once

#include "graphics/Bitmap.hpp"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <functional>
#include <memory>
#include <optional>
#include <regex>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace xvfb {

// The full path of a program on PATH, or "" when there is none.
inline std::string FindProgram(const std::string& name) {
    const char* path = std::getenv("PATH");
    std::istringstream dirs(path ? path : "/usr/bin:/bin");
    for (std::string dir; std::getline(dirs, dir, ':');) {
        std::string candidate = dir + "/" + name;
        if (access(candidate.c_str(), X_OK) == 0)
            return candidate;
    }
    return "";
}

// Polls condition every 20 ms until it holds or timeoutMs pass.
inline bool WaitFor(const std::function<bool()>& condition, int timeoutMs) {
    auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!condition()) {
        if (std::chrono::steady_clock::now() > end)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}

// A top-level window as xwininfo reports it.
struct WindowInfo {
    std::string id; // "0x..."
    int x = 0, y = 0, width = 0, height = 0;
};

// A shell command run on a display as its own process; killed if still running at the end.
class Child {
public:
    Child(const std::string& display, const std::string& command) {
        pid_ = fork();
        if (pid_ == 0) {
            setenv("DISPLAY", display.c_str(), 1);
            unsetenv("WAYLAND_DISPLAY");
            execl("/bin/sh", "sh", "-c", command.c_str(), static_cast<char*>(nullptr));
            _exit(127);
        }
    }
    Child(const Child&) = delete;
    Child& operator=(const Child&) = delete;
    ~Child() {
        if (pid_ > 0 && !status_) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
    }
    // The exit code, or nullopt when it has not ended within timeoutMs (or died of a signal).
    std::optional<int> Wait(int timeoutMs) {
        WaitFor(
            [&] {
                int status;
                if (!status_ && waitpid(pid_, &status, WNOHANG) == pid_)
                    status_ = status;
                return status_.has_value();
            },
            timeoutMs);
        if (status_ && WIFEXITED(*status_))
            return WEXITSTATUS(*status_);
        return std::nullopt;
    }

private:
    pid_t pid_ = -1;
    std::optional<int> status_;
};

class Display {
public:
    ~Display() { Stop(); }

    // Starts Xvfb with a 1280 x 1024 x 24 screen; false with the reason when it cannot.
    bool Start(std::string& why) {
        std::string server = FindProgram("Xvfb");
        if (server.empty()) {
            why = "Xvfb is not installed (scripts/setup installs it)";
            return false;
        }
        int ready[2];
        if (pipe(ready) != 0) {
            why = "no pipe for Xvfb";
            return false;
        }
        pid_ = fork();
        if (pid_ == 0) {
            close(ready[0]);
            std::string fd = std::to_string(ready[1]);
            int quiet = open("/dev/null", O_WRONLY);
            dup2(quiet, 2);
            // -displayfd: the server picks a free display number and writes it when ready.
            execl(server.c_str(), "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1280x1024x24",
                  "-nolisten", "tcp", "-noreset", static_cast<char*>(nullptr));
            _exit(127);
        }
        close(ready[1]);
        std::string number;
        char c;
        while (read(ready[0], &c, 1) == 1 && c != '\n')
            number += c;
        close(ready[0]);
        if (number.empty()) {
            why = "Xvfb did not start";
            Stop();
            return false;
        }
        name_ = ":" + number;
        return true;
    }

    void Stop() {
        if (pid_ > 0) {
            kill(pid_, SIGTERM);
            waitpid(pid_, nullptr, 0);
            pid_ = -1;
        }
    }

    // ":N"
    const std::string& Name() const { return name_; }

    // Runs a shell command on this display and returns what it printed.
    std::string Run(const std::string& command) const {
        std::string line = "DISPLAY=" + name_ + " " + command + " 2>/dev/null";
        std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(line.c_str(), "r"), pclose);
        std::string out;
        char buffer[4096];
        while (pipe && fgets(buffer, sizeof buffer, pipe.get()))
            out += buffer;
        return out;
    }

    // The first mapped top-level window with exactly this title, if any.
    std::optional<WindowInfo> FindWindow(const std::string& title) const {
        std::istringstream tree(Run("xwininfo -root -children"));
        std::regex entry(R"(^\s*(0x[0-9a-f]+) \"(.*)\": \(.*\)\s+(\d+)x(\d+)\+(-?\d+)\+(-?\d+))");
        for (std::string line; std::getline(tree, line);) {
            std::smatch m;
            if (!std::regex_search(line, m, entry) || m[2] != title)
                continue;
            if (Run("xwininfo -id " + m[1].str()).find("IsViewable") == std::string::npos)
                continue;
            return WindowInfo{m[1], std::stoi(m[5]), std::stoi(m[6]), std::stoi(m[3]),
                              std::stoi(m[4])};
        }
        return std::nullopt;
    }

    // What a window shows on the screen, read with xwd.
    bool Capture(const std::string& windowId, TBitmap& picture, std::string& error) const {
        std::string file =
            ::testing::TempDir() + "xvfb-capture-" + std::to_string(getpid()) + ".xwd";
        Run("xwd -silent -id " + windowId + " -out " + file);
        std::ifstream in(file, std::ios::binary);
        std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), {});
        std::remove(file.c_str());
        return ParseXwd(bytes, picture, error);
    }

    // Decodes an xwd dump of 32 or 24 bits per pixel (the forms Xvfb's 24-bit screen gives).
    static bool ParseXwd(const std::vector<uint8_t>& bytes, TBitmap& picture, std::string& error) {
        auto field = [&](size_t i) {
            const uint8_t* p = bytes.data() + 4 * i; // the header is big-endian
            return uint32_t{p[0]} << 24 | uint32_t{p[1]} << 16 | uint32_t{p[2]} << 8 | p[3];
        };
        if (bytes.size() < 100) {
            error = "no xwd dump";
            return false;
        }
        uint32_t headerSize = field(0), width = field(4), height = field(5);
        uint32_t byteOrder = field(7), bitsPerPixel = field(11), bytesPerLine = field(12);
        uint32_t masks[3] = {field(14), field(15), field(16)};
        uint32_t colours = field(19);
        size_t data = size_t{headerSize} + 12 * size_t{colours};
        if ((bitsPerPixel != 32 && bitsPerPixel != 24) ||
            bytes.size() < data + size_t{bytesPerLine} * height) {
            error = "unexpected xwd dump (" + std::to_string(bitsPerPixel) + " bits per pixel)";
            return false;
        }
        auto channel = [](uint32_t pixel, uint32_t mask) {
            int shift = 0;
            while (mask && !(mask & 1)) {
                mask >>= 1;
                ++shift;
            }
            return static_cast<int>((pixel >> shift) & mask);
        };
        picture.SetPixelFormat(pf24bit);
        picture.SetSize(static_cast<int>(width), static_cast<int>(height));
        for (uint32_t y = 0; y < height; ++y)
            for (uint32_t x = 0; x < width; ++x) {
                size_t step = bitsPerPixel / 8;
                const uint8_t* p = bytes.data() + data + size_t{y} * bytesPerLine + step * x;
                uint32_t pixel = 0;
                for (size_t i = 0; i < step; ++i) // byteOrder 0: least significant byte first
                    pixel |= uint32_t{p[i]} << (8 * (byteOrder == 0 ? i : step - 1 - i));
                picture.SetPixel(static_cast<int>(x), static_cast<int>(y),
                                 RGB(channel(pixel, masks[0]), channel(pixel, masks[1]),
                                     channel(pixel, masks[2])));
            }
        return true;
    }

private:
    pid_t pid_ = -1;
    std::string name_;
};

// Empty when both pictures hold the same pixels; else where and how they differ first.
inline std::string FirstDifference(const TBitmap& expected, const TBitmap& actual) {
    if (expected.Width() != actual.Width() || expected.Height() != actual.Height())
        return "size " + std::to_string(actual.Width()) + "x" + std::to_string(actual.Height()) +
               ", expected " + std::to_string(expected.Width()) + "x" +
               std::to_string(expected.Height());
    for (int y = 0; y < expected.Height(); ++y)
        for (int x = 0; x < expected.Width(); ++x)
            if (expected.Pixel(x, y) != actual.Pixel(x, y)) {
                char text[96];
                std::snprintf(text, sizeof text, "pixel (%d, %d) is %06X, expected %06X", x, y,
                              actual.Pixel(x, y), expected.Pixel(x, y));
                return text;
            }
    return "";
}

} // namespace xvfb

// A test suite with its own X server; skipped only when Xvfb is not installed.
class XvfbTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        display_ = new xvfb::Display;
        if (!display_->Start(why_)) {
            delete display_;
            display_ = nullptr;
        }
    }
    static void TearDownTestSuite() {
        delete display_;
        display_ = nullptr;
    }
    void SetUp() override {
        if (xvfb::FindProgram("Xvfb").empty())
            GTEST_SKIP() << why_;
        ASSERT_NE(display_, nullptr) << why_;
    }
    static inline xvfb::Display* display_ = nullptr;
    static inline std::string why_;
};
