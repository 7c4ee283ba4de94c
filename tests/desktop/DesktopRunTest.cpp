// A long run seen on a real X screen: the grey progress panel covers the method's
// panel at once and nothing else of the editor changes; and a display that goes
// away ends the session with one line, never a hang.
#include "DesktopSession.hpp"

namespace desktop {
namespace {

using DesktopRun = DesktopTest;

// Two large images, so that a final run lasts long enough to be watched.
std::string LargeImages(const fs::path& dir) {
    const int w = 2400, h = 1800;
    std::string args;
    for (int k = 0; k < 2; ++k) {
        TBitmap image(w, h, pf24bit);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                image.SetPixel(x, y, RGB((x * 255 / w) ^ (k * 255), y * 255 / h, (x + y) & 0xFF));
        std::string path = (dir / ("large" + std::to_string(k) + ".png")).string(), error;
        EXPECT_TRUE(SavePng(path, image, error)) << error;
        args += " " + path;
    }
    return args;
}

TEST_P(DesktopRun, TheProgressPanelCoversTheMethodsPanelDuringARun) {
    const std::string images = LargeImages(dir_);
    std::map<std::string, Place> at = Places(Headless("where WarpMeshG_btn\n"
                                                      "where MorphFinal_btn\n"
                                                      "where PanelProgress\n"
                                                      "where ProgressBar\n"
                                                      "click WarpMeshG_btn\n"
                                                      "shot editor.png\n",
                                                      images));
    ASSERT_EQ(at.size(), 4u) << Out("h");
    const TBitmap before = Shot("editor.png");

    StartImagora("--save " + (dir_ / "out").string() + images);
    std::string editor = AwaitWindow("Tweenkit 1.2");
    ASSERT_FALSE(editor.empty()) << Err("s");
    Click(editor, at["WarpMeshG_btn"].CentreX(), at["WarpMeshG_btn"].CentreY());
    ASSERT_EQ(AwaitPicture(editor, before), "") << "the editor after \"New mesh\"";
    Click(editor, at["MorphFinal_btn"].CentreX(), at["MorphFinal_btn"].CentreY());

    // Mid-run: the panel is face-coloured except for the bar, the bar has its frame,
    // and the rest of the editor is as before the run (the pressed button aside).
    const TRect panel = at["PanelProgress"].Rect(), bar = at["ProgressBar"].Rect();
    const TColor face = ColorToRGB(clBtnFace);
    TBitmap expected = before;
    for (int y = panel.Top; y < panel.Bottom; ++y)
        for (int x = panel.Left; x < panel.Right; ++x)
            expected.SetPixel(x, y, face);
    std::vector<TRect> unchecked = {bar, at["MorphFinal_btn"].Rect()};
    EXPECT_EQ(AwaitPicture(editor, expected, unchecked, 15000), "") << "the editor mid-run";
    TBitmap screen;
    std::string error;
    ASSERT_TRUE(display_.Capture(editor, screen, error)) << error;
    EXPECT_NE(screen.Pixel(bar.Left, bar.Top + bar.Height() / 2), face) << "the bar's frame";
    EXPECT_TRUE(app_->Wait(0) == std::nullopt) << "the run ended before it was seen";
}

TEST_P(DesktopRun, ADisplayThatGoesAwayEndsTheSessionWithOneLine) {
    StartImagora(Samples());
    ASSERT_FALSE(AwaitWindow("Tweenkit 1.2").empty()) << Err("s");
    display_.Stop();
    std::optional<int> code = app_->Wait(15000);
    ASSERT_TRUE(code.has_value()) << "still running, or killed by a signal";
    EXPECT_NE(*code, 0);
    std::string err = Err("s");
    EXPECT_EQ(err, "the X display " + display_.Name() + " went away; ending the session\n");
}

INSTANTIATE_TEST_SUITE_P(Desktop, DesktopRun, ::testing::Bool(), Name);

} // namespace
} // namespace desktop
