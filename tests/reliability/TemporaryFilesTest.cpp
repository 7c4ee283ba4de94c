// Nothing of ours stays in the temporary directory: not after a normal run with a
// preview, and not after the host is killed while the preview plays.
#include "Application.hpp"
#include "HostProcess.hpp"
#include "ReliabilityFiles.hpp"
#include "backends/headless/HeadlessBackend.hpp"
#include "graphics/ImageFile.hpp"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <thread>

namespace reliability {
namespace {

class TemporaryFiles : public ScratchFolder {
protected:
    void SetUp() override {
        ScratchFolder::SetUp();
        temp_ = dir_ / "tmp";
        fs::create_directories(temp_);
        const char* old = std::getenv("TMPDIR");
        oldTemp_ = old ? old : "";
        hadTemp_ = old != nullptr;
        setenv("TMPDIR", temp_.c_str(), 1);
        for (const char* name : {"a.png", "b.png"}) {
            std::string error;
            ASSERT_TRUE(SavePng((dir_ / name).string(), Noise(160, 120, name[0]), error)) << error;
        }
    }
    void TearDown() override {
        if (hadTemp_)
            setenv("TMPDIR", oldTemp_.c_str(), 1);
        else
            unsetenv("TMPDIR");
        ScratchFolder::TearDown();
    }
    // A preview of a new mesh whose player then plays for `playMs` of the script's time.
    std::vector<std::string> PreviewArgs(int playMs) {
        Spit(dir_ / "preview.txt", "click WarpMeshG_btn\nclick MorphPreview_btn\nclick VA_play\n"
                                   "wait " +
                                       std::to_string(playMs) + "\nclose\nclose\n");
        return {"--script", (dir_ / "preview.txt").string(), (dir_ / "a.png").string(),
                (dir_ / "b.png").string()};
    }
    bool TempIsEmpty() { return fs::is_empty(temp_); }

    TApplication app_{std::make_unique<HeadlessBackend>()};
    fs::path temp_;
    std::string oldTemp_;
    bool hadTemp_ = false;
};

TEST_F(TemporaryFiles, NoneAreLeftAfterANormalRunWithAPreview) {
    HostProcess host(PreviewArgs(2000));
    const HostExit exit = host.Wait();
    ASSERT_EQ(exit.code, 0) << exit.err;
    EXPECT_TRUE(TempIsEmpty());
}

TEST_F(TemporaryFiles, NoneAreLeftAfterAKillWhileThePreviewPlays) {
    // Hours of playback on the virtual clock keep the host busy until it is killed.
    HostProcess host(PreviewArgs(10'000'000));
    ASSERT_TRUE(host.WaitForLine("Tweenkit 1.2"));
    std::this_thread::sleep_for(std::chrono::milliseconds(1500));
    host.Kill();
    const HostExit exit = host.Wait();
    EXPECT_TRUE(exit.signalled);
    EXPECT_TRUE(TempIsEmpty());
}

} // namespace
} // namespace reliability
