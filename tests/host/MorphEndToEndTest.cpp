// The whole plug-in through imagora and a script: lay a mesh or draw lines,
// preview, play, render the final frames and save the sequence.
#include "ImagoraFixture.hpp"

namespace {

// Frames a saved sequence holds, read from its index file.
int SavedFrames(const fs::path& dir) {
    std::ifstream index(dir / "sequence.txt");
    int lines = 0;
    for (std::string line; std::getline(index, line);)
        lines += line.empty() ? 0 : 1;
    return lines;
}

TEST_F(Imagora, AMeshMorphPreviewsPlaysAndRendersIntoTheSequence) {
    const std::string a = Image("a.png", 320, 240, clRed), b = Image("b.png", 320, 240, clBlue);
    const std::string editorShot = (dir_ / "editor.png").string();
    const std::string script = File("run.txt", "click WarpMeshG_btn\n"
                                               "drag LeftView 36 35 60 50\n"
                                               "drag RightView 144 105 120 90\n"
                                               "shot " +
                                                   editorShot +
                                                   "\n"
                                                   "click MorphPreview_btn\n"
                                                   "click VA_play\n"
                                                   "wait 500\n"
                                                   "close\n"
                                                   "click MorphFinal_btn\n");
    const fs::path out = dir_ / "out";
    const Outcome r = Run("--script " + script + " --save " + out.string() + " " + a + " " + b);
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.err, "");
    EXPECT_NE(r.out.find("result: 0"), std::string::npos) << r.out;
    EXPECT_EQ(SavedFrames(out), 12);

    // The left view shows the dragged node's blue marker and red mesh lines.
    TBitmap shot;
    std::string error;
    ASSERT_TRUE(LoadImageFile(editorShot, shot, error)) << error;
    ASSERT_GT(shot.Width(), 0);
    bool marker = false, line = false;
    for (int y = 0; y < shot.Height(); ++y) {
        for (int x = 0; x < shot.Width() / 2; ++x) {
            marker = marker || shot.Pixel(x, y) == 0xFF0000;
            line = line || shot.Pixel(x, y) == 0x0000FF;
        }
    }
    EXPECT_TRUE(marker);
    EXPECT_TRUE(line);
}

TEST_F(Imagora, AFieldMorphInWarpOnlyModeAddsElevenFrames) {
    const std::string a = Image("a.png", 120, 90, clGreen);
    const std::string script = File("run.txt", "click MorphMethod_rbt2\n"
                                               "drag LeftView 20 20 80 30\n"
                                               "down LeftView 60 70\n"
                                               "up LeftView 60 70\n"
                                               "click MorphFinal_btn\n");
    const fs::path out = dir_ / "out";
    const Outcome r = Run("--script " + script + " --save " + out.string() + " " + a);
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.out.find("result: 0"), std::string::npos) << r.out;
    EXPECT_EQ(SavedFrames(out), 12);
}

TEST_F(Imagora, TheRunButtonsRefuseWithoutGeometryAndTheEditorStaysOpen) {
    const std::string a = Image("a.png", 60, 40, clRed), b = Image("b.png", 60, 40, clBlue);
    const std::string shot = (dir_ / "still-open.png").string();
    const std::string script = File("run.txt", "click MorphPreview_btn\n"
                                               "click MorphFinal_btn\n"
                                               "shot " +
                                                   shot + "\n");
    const Outcome r = Run("--script " + script + " " + a + " " + b);
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const std::string refusal = "message: No mesh created, action not performed!\n";
    EXPECT_NE(r.out.find(refusal + refusal), std::string::npos) << r.out;
    EXPECT_TRUE(fs::exists(shot));
}

} // namespace
