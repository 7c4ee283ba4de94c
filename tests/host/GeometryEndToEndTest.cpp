// --geometry and --render through imagora: the work of one run comes back in the
// next, and --render makes the very bytes "Morph it!" makes, on any thread count.
#include "ImagoraFixture.hpp"

#include <cstdlib>

namespace {

class GeometryEndToEnd : public Imagora {
protected:
    void SetUp() override {
        Imagora::SetUp();
        a_ = Pattern("a.png", 120, 90, 1);
        b_ = Pattern("b.png", 120, 90, 77);
        geometry_ = (dir_ / "work.json").string();
    }
    // Runs imagora on the two pictures with extra options; the saved files.
    std::map<std::string, std::string> RunSaving(const std::string& name,
                                                 const std::string& options) {
        const fs::path out = dir_ / name;
        last_ = Run(options + " --save " + out.string() + " " + a_ + " " + b_);
        EXPECT_EQ(last_.exitCode, 0) << last_.err;
        return Saved(out);
    }
    std::string Script(const std::string& name, const std::string& text) {
        return " --script " + File(name + ".txt", text);
    }
    std::string a_, b_, geometry_;
    Outcome last_;
};

const char* kMeshWork = "click WarpMeshG_btn\n"
                        "drag LeftView 30 30 40 35\n"
                        "drag RightView 60 60 70 50\n"
                        "click WarpMesh_rbt2\n"
                        "text Frames_ed 6\n";

TEST_F(GeometryEndToEnd, RenderMakesTheBytesMorphItMade) {
    const auto morphed =
        RunSaving("morphed", "--geometry " + geometry_ +
                                 Script("work", std::string(kMeshWork) + "click MorphFinal_btn\n"));
    ASSERT_EQ(morphed.size(), 7u) << "six frames and the index";
    EXPECT_TRUE(fs::exists(geometry_));
    const auto rendered = RunSaving("rendered", "--geometry " + geometry_ + " --render");
    EXPECT_TRUE(morphed == rendered);
    for (const char* threads : {"1", "3"}) {
        setenv("OMP_NUM_THREADS", threads, 1);
        const auto again =
            RunSaving(std::string("threads-") + threads, "--geometry " + geometry_ + " --render");
        unsetenv("OMP_NUM_THREADS");
        EXPECT_TRUE(morphed == again) << threads << " threads";
    }
}

TEST_F(GeometryEndToEnd, TheCloseBoxKeepsTheWorkForTheNextRun) {
    const auto direct =
        RunSaving("direct", Script("direct", std::string(kMeshWork) + "click MorphFinal_btn\n"));
    RunSaving("closed",
              "--geometry " + geometry_ + Script("closed", std::string(kMeshWork) + "close\n"));
    const auto next =
        RunSaving("next", "--geometry " + geometry_ + Script("next", "click MorphFinal_btn\n"));
    ASSERT_FALSE(direct.empty());
    EXPECT_TRUE(direct == next);
}

TEST_F(GeometryEndToEnd, RenderRefusesWhatItCannotRender) {
    struct Case {
        std::string options, error;
    } cases[] = {
        {"--render", "imagora: --render needs --geometry FILE\n"},
        {"--render --geometry " + geometry_, "imagora: " + geometry_ + ": no such geometry file\n"},
        {"--render --geometry " + File("bad.json", "{\"format\": \"tweenkit geometry\"}"),
         "imagora: --render: nothing was rendered from " + (dir_ / "bad.json").string() + "\n"},
    };
    for (const Case& c : cases) {
        const fs::path out = dir_ / "out";
        const Outcome r = Run(c.options + " --save " + out.string() + " " + a_ + " " + b_);
        EXPECT_EQ(r.exitCode, 2) << c.options;
        EXPECT_EQ(r.err, c.error) << c.options;
        EXPECT_TRUE(Saved(out).empty()) << c.options;
    }
    EXPECT_TRUE(fs::exists(dir_ / "bad.json.bad-1"));
}

} // namespace
