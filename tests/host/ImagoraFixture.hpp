// Runs imagora as a user does: a subprocess on images and scripts the test makes.
#pragma once

#include "Application.hpp"
#include "backends/headless/HeadlessBackend.hpp"
#include "graphics/ImageFile.hpp"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <sys/wait.h>

namespace fs = std::filesystem;

struct Outcome {
    int exitCode;
    std::string out;
    std::string err;
};

inline std::string Slurp(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

class Imagora : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::path(::testing::TempDir()) /
               ("imagora-" +
                std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    // Writes a small PNG filled with one colour.
    std::string Image(const std::string& name, int w, int h, TColor colour) {
        TBitmap image(w, h, pf24bit);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                image.SetPixel(x, y, colour);
        std::string error, path = (dir_ / name).string();
        EXPECT_TRUE(SavePng(path, image, error)) << error;
        return path;
    }
    // A picture with structure everywhere, so that any warp shows in its frames.
    std::string Pattern(const std::string& name, int w, int h, int seed) {
        TBitmap image(w, h, pf24bit);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                image.SetPixel(x, y,
                               static_cast<TColor>(((x * 7 + seed) & 0xFF) |
                                                   (((y * 5 + x) & 0xFF) << 8) |
                                                   ((((x ^ y) * 3 + seed) & 0xFF) << 16)));
        std::string error, path = (dir_ / name).string();
        EXPECT_TRUE(SavePng(path, image, error)) << error;
        return path;
    }
    // Every file of a saved sequence, by name.
    static std::map<std::string, std::string> Saved(const fs::path& out) {
        std::map<std::string, std::string> files;
        if (fs::is_directory(out))
            for (const auto& entry : fs::directory_iterator(out))
                files[entry.path().filename().string()] = Slurp(entry.path());
        return files;
    }
    std::string File(const std::string& name, const std::string& bytes) {
        std::ofstream(dir_ / name, std::ios::binary) << bytes;
        return (dir_ / name).string();
    }
    Outcome Run(const std::string& args) {
        std::string command = std::string(IMAGORA_PATH) + " --headless " + args + " >" +
                              (dir_ / "stdout").string() + " 2>" + (dir_ / "stderr").string() +
                              " </dev/null";
        int status = std::system(command.c_str());
        return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, Slurp(dir_ / "stdout"),
                Slurp(dir_ / "stderr")};
    }
    fs::path dir_;
    // The test process draws and saves images with the same platform library.
    TApplication app_{std::make_unique<HeadlessBackend>()};
};
