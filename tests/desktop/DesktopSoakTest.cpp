// Seeded random real input over the editor, the player and message boxes under
// openbox. After every quiet moment each window of the session must be whole:
// its picture holds still, and covering and uncovering it gives the same picture
// back; and the process must be alive. TWEENKIT_DESKTOP_SOAK_EVENTS sets the
// number of events (200 by default), TWEENKIT_DESKTOP_SOAK_SEED the seed.
#include "DesktopSession.hpp"

#include <random>

namespace desktop {
namespace {

class DesktopSoak : public DesktopTest {
protected:
    // Every window of the session that is up now.
    std::vector<std::string> Windows() {
        std::vector<std::string> ids;
        for (const char* title : {"Tweenkit 1.2", "Morph Preview", "Tweenkit"}) {
            std::istringstream found(
                display_.Run(std::string("xdotool search --onlyvisible --name '^") + title + "$'"));
            for (std::string id; found >> id;)
                ids.push_back(id);
        }
        return ids;
    }

    // Empty when every window's picture settles and survives a cover; else what went wrong.
    std::string CheckWindows() {
        for (const std::string& window : Windows()) {
            TBitmap settled, again;
            std::string error;
            bool still = xvfb::WaitFor(
                [&] {
                    if (!display_.Capture(window, settled, error))
                        return false;
                    std::this_thread::sleep_for(std::chrono::milliseconds(150));
                    return display_.Capture(window, again, error) &&
                           xvfb::FirstDifference(settled, again).empty();
                },
                5000);
            if (!still)
                continue; // gone meanwhile, or playing: nothing to hold still
            TPoint o = Origin(window);
            Cover(o.x + 10, o.y + 10, settled.Width() / 2 + 1, settled.Height() / 2 + 1);
            Uncover();
            std::string difference = AwaitPicture(window, settled, {}, 5000);
            if (!difference.empty() && !Windows().empty())
                return "window " + window + " after a cover: " + difference;
        }
        return "";
    }
};

TEST_P(DesktopSoak, RandomRealInputLeavesEveryWindowWhole) {
    const char* eventsText = std::getenv("TWEENKIT_DESKTOP_SOAK_EVENTS");
    const char* seedText = std::getenv("TWEENKIT_DESKTOP_SOAK_SEED");
    const int events = eventsText ? std::atoi(eventsText) : 200;
    const uint32_t seed = seedText ? static_cast<uint32_t>(std::strtoul(seedText, nullptr, 10))
                                   : static_cast<uint32_t>(std::random_device{}());
    SCOPED_TRACE("replay with TWEENKIT_DESKTOP_SOAK_SEED=" + std::to_string(seed));
    const std::string images = Samples();
    std::map<std::string, Place> at =
        Places(Headless("where LeftView\nwhere RightView\nwhere WarpMeshG_btn\n"
                        "where MorphPreview_btn\n",
                        images));
    ASSERT_EQ(at.size(), 4u) << Out("h");
    StartImagora(images);
    std::string editor = AwaitWindow("Tweenkit 1.2");
    ASSERT_FALSE(editor.empty()) << Err("s");

    std::mt19937 random(seed);
    auto pick = [&](int n) { return static_cast<int>(random() % static_cast<uint32_t>(n)); };
    auto inView = [&](const Place& p) {
        return std::to_string(p.x + pick(p.width)) + " " + std::to_string(p.y + pick(p.height));
    };
    const char* keys[] = {"Left", "Right", "Up", "Down", "Tab", "space", "Return", "plus", "minus"};
    auto start = std::chrono::steady_clock::now();
    for (int done = 0; done < events; ++done) {
        const Place& view = pick(2) ? at["LeftView"] : at["RightView"];
        std::string modal;
        std::istringstream player(
            display_.Run("xdotool search --onlyvisible --name '^(Morph Preview|Tweenkit)$'"));
        player >> modal;
        int kind = pick(100);
        if (!modal.empty()) {
            // A modal window is up: a few clicks on it or on the editor, then close it.
            if (kind < 60)
                Xdo("mousemove --window " + modal + " " + std::to_string(pick(300)) + " " +
                    std::to_string(pick(200)) + " click 1");
            else if (kind < 75)
                Click(editor, at["WarpMeshG_btn"].CentreX(), at["WarpMeshG_btn"].CentreY());
            else
                Xdo("windowactivate --sync " + modal + " key --clearmodifiers " +
                    std::string(kind < 90 ? "alt+F4" : "Return"));
        } else if (kind < 30) {
            Xdo("mousemove --window " + editor + " " + inView(view));
        } else if (kind < 50) {
            Xdo("mousemove --window " + editor + " " + inView(view) + " click 1");
        } else if (kind < 65) {
            Xdo("mousemove --window " + editor + " " + inView(view) + " mousedown 1");
            Xdo("mousemove --window " + editor + " " + inView(view) + " mouseup 1");
        } else if (kind < 75) {
            Xdo("mousemove --window " + editor + " " + inView(view) + " click " +
                (pick(2) ? "4" : "5"));
        } else if (kind < 88) {
            Xdo("key --window " + editor + " " + keys[pick(9)]);
        } else if (kind < 93) {
            Click(editor, at["WarpMeshG_btn"].CentreX(), at["WarpMeshG_btn"].CentreY());
        } else if (kind < 97) {
            Click(editor, at["MorphPreview_btn"].CentreX(), at["MorphPreview_btn"].CentreY());
        } else {
            Xdo("windowmove --sync " + editor + " " + std::to_string(pick(600)) + " " +
                std::to_string(pick(500)));
        }
        if (done % 40 == 39) {
            ASSERT_EQ(app_->Wait(0), std::nullopt) << "imagora ended after event " << done << "\n"
                                                   << Err("s");
            ASSERT_EQ(CheckWindows(), "") << "after event " << done;
        }
    }
    double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("desktop soak: %d events in %.1f s, %.1f events/s, seed %u\n", events, seconds,
                events / seconds, seed);
    EXPECT_EQ(app_->Wait(0), std::nullopt) << Err("s");
}

INSTANTIATE_TEST_SUITE_P(Desktop, DesktopSoak, ::testing::Values(true), Name);

} // namespace
} // namespace desktop
