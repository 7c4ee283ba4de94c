// The host never leaves a partial output: a save that is killed at any moment or that fails
// to write leaves the previous files (or none), never a truncated frame.
#include "Application.hpp"
#include "HostProcess.hpp"
#include "MultiView.hpp"
#include "ReliabilityFiles.hpp"
#include "SequenceFiles.hpp"
#include "backends/headless/HeadlessBackend.hpp"
#include "graphics/ImageFile.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <map>
#include <thread>
#include <vector>

namespace reliability {
namespace {

// A sequence the host is given: its frames as files and as the bitmaps they hold.
struct Sequence {
    std::vector<std::string> files;
    std::vector<TBitmap> images;
    std::string listing; // sequence.txt as a complete save of it writes it
};

std::string FrameName(int i) {
    char name[32];
    std::snprintf(name, sizeof name, "frame_%04d.png", i);
    return name;
}

class InterruptedSave : public ScratchFolder {
protected:
    Sequence MakeSequence(const std::string& prefix, int count, uint32_t seed) {
        Sequence sequence;
        for (int i = 0; i < count; ++i) {
            sequence.images.push_back(Noise(120, 90, seed + i));
            std::string path = (dir_ / (prefix + std::to_string(i) + ".png")).string(), error;
            EXPECT_TRUE(SavePng(path, sequence.images.back(), error)) << error;
            sequence.files.push_back(path);
            char line[40];
            std::snprintf(line, sizeof line, "frame_%04d.png 0\n", i);
            sequence.listing += line;
        }
        return sequence;
    }
    // Arguments of a run that closes the editor at once and saves the frames it was given.
    std::vector<std::string> SaveArgs(const Sequence& sequence) {
        Spit(dir_ / "close.txt", "close\n");
        std::vector<std::string> args{"--script", (dir_ / "close.txt").string(), "--save",
                                      Out().string()};
        args.insert(args.end(), sequence.files.begin(), sequence.files.end());
        return args;
    }
    // Which of the sequences frame i of the output folder belongs to, or -1 when its file is
    // incomplete or matches neither.
    int FrameOwner(int i, const std::vector<const Sequence*>& sequences) {
        TBitmap saved;
        std::string error;
        if (!LoadImageFile((Out() / FrameName(i)).string(), saved, error))
            return -1;
        for (size_t s = 0; s < sequences.size(); ++s)
            if (i < static_cast<int>(sequences[s]->images.size()) &&
                SamePixels(saved, sequences[s]->images[i]))
                return static_cast<int>(s);
        return -1;
    }
    // The visible files of the output folder, and the hidden ones.
    void ListOutput(std::vector<std::string>& visible, std::vector<std::string>& hidden) {
        visible.clear();
        hidden.clear();
        for (const auto& entry : fs::directory_iterator(Out())) {
            std::string name = entry.path().filename().string();
            (name[0] == '.' ? hidden : visible).push_back(name);
        }
    }

    fs::path Out() const { return dir_ / "out"; }
    TApplication app_{std::make_unique<HeadlessBackend>()};
};

TEST_F(InterruptedSave, AKillAtAnyMomentLeavesOnlyCompleteFramesOfOneSaveOrTheOther) {
    const Sequence before = MakeSequence("old", 10, 100);
    const Sequence after = MakeSequence("new", 24, 900);
    HostExit first = HostProcess(SaveArgs(before)).Wait();
    ASSERT_EQ(first.code, 0) << first.err;

    int killedWhileSaving = 0;
    for (int delayMs : {0, 1, 3, 6, 10, 20, 35, 60, 100, 200}) {
        SCOPED_TRACE("killed " + std::to_string(delayMs) + " ms after the run");
        HostProcess host(SaveArgs(after));
        ASSERT_TRUE(host.WaitForLine("result:"));
        std::this_thread::sleep_for(std::chrono::milliseconds(delayMs));
        host.Kill();
        HostExit exit = host.Wait();
        killedWhileSaving += exit.signalled;

        std::vector<std::string> visible, hidden;
        ListOutput(visible, hidden);
        const std::string listing = Slurp(Out() / "sequence.txt");
        ASSERT_TRUE(listing == before.listing || listing == after.listing) << listing;
        for (const std::string& name : visible) {
            if (name == "sequence.txt")
                continue;
            int number = -1;
            ASSERT_EQ(std::sscanf(name.c_str(), "frame_%4d.png", &number), 1) << name;
            ASSERT_EQ(name, FrameName(number)) << "stray file";
            EXPECT_NE(FrameOwner(number, {&before, &after}), -1)
                << name << " is incomplete or belongs to no save";
        }
        // The listing goes into place last: once it is the new one, so is every frame.
        if (listing == after.listing) {
            for (int i = 0; i < static_cast<int>(after.images.size()); ++i)
                EXPECT_EQ(FrameOwner(i, {&before, &after}), 1) << "frame " << i;
        }
    }
    EXPECT_GT(killedWhileSaving, 0) << "every save finished before its kill: nothing was tested";

    // A complete save afterwards clears what the killed ones left under their hidden names.
    HostExit last = HostProcess(SaveArgs(after)).Wait();
    ASSERT_EQ(last.code, 0) << last.err;
    std::vector<std::string> visible, hidden;
    ListOutput(visible, hidden);
    EXPECT_TRUE(hidden.empty()) << hidden.front();
    EXPECT_EQ(visible.size(), after.images.size() + 1);
    EXPECT_EQ(Slurp(Out() / "sequence.txt"), after.listing);
}

TEST_F(InterruptedSave, AKilledSaveOfOneFileLeavesTheOldFileOrTheNewOne) {
    const Sequence before = MakeSequence("old", 3, 100);
    const Sequence after = MakeSequence("new", 24, 900);
    for (const char* name : {"out.gif", "out.webp", "out.mp4"}) {
        SCOPED_TRACE(name);
        const std::string file = (dir_ / name).string();
        auto args = [&](const Sequence& sequence) {
            std::vector<std::string> a = SaveArgs(sequence);
            a[3] = file; // --save FILE
            return a;
        };
        ASSERT_EQ(HostProcess(args(before)).Wait().code, 0);
        int killedWhileSaving = 0;
        for (int delayMs : {0, 5, 20, 60}) {
            HostProcess host(args(after));
            ASSERT_TRUE(host.WaitForLine("result:"));
            std::this_thread::sleep_for(std::chrono::milliseconds(delayMs));
            host.Kill();
            killedWhileSaving += host.Wait().signalled;
            TMultiView frames(nullptr);
            LoadFrames({file}, frames); // throws on a partial file
            EXPECT_TRUE(frames.GetImageCount() == 3 || frames.GetImageCount() == 24)
                << frames.GetImageCount() << " frames, killed after " << delayMs << " ms";
        }
        EXPECT_GT(killedWhileSaving, 0) << "every save finished before its kill";
    }
}

TEST_F(InterruptedSave, AFailedWriteLeavesThePreviousSaveAsItWas) {
    const Sequence before = MakeSequence("old", 5, 100);
    const Sequence after = MakeSequence("new", 8, 900);
    ASSERT_EQ(HostProcess(SaveArgs(before)).Wait().code, 0);
    std::map<std::string, std::string> saved;
    for (const auto& entry : fs::directory_iterator(Out()))
        saved[entry.path().filename().string()] = Slurp(entry.path());

    // A folder where the fourth frame is written first: its write fails after three
    // frames have been written in full.
    const fs::path obstacle = Out() / ".frame_0003.png.new";
    fs::create_directories(obstacle / "inside");
    HostExit failed = HostProcess(SaveArgs(after)).Wait();
    EXPECT_EQ(failed.code, 2);
    EXPECT_NE(failed.err.find("frame_0003.png: cannot"), std::string::npos) << failed.err;
    EXPECT_EQ(std::count(failed.err.begin(), failed.err.end(), '\n'), 1) << failed.err;

    fs::remove_all(obstacle);
    std::map<std::string, std::string> now;
    for (const auto& entry : fs::directory_iterator(Out()))
        now[entry.path().filename().string()] = Slurp(entry.path());
    EXPECT_EQ(now.size(), saved.size());
    EXPECT_TRUE(now == saved) << "the folder changed";
}

} // namespace
} // namespace reliability
