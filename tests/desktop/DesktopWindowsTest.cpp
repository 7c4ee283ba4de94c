// Every window of a session on a real X screen, driven by the mouse and keys,
// shows exactly its headless picture: when it opens, after a step, and after
// being covered and uncovered, moved, and minimised and restored.
#include "DesktopSession.hpp"

namespace desktop {
namespace {

using DesktopWindows = DesktopTest;

// The same steps headless, with where each control lies and the pictures to expect.
const char* kEditorAndPlayerSteps = "where WarpMeshG_btn\n"
                                    "where MorphPreview_btn\n"
                                    "click WarpMeshG_btn\n"
                                    "shot editor.png\n"
                                    "click MorphPreview_btn\n"
                                    "where VA_end\n"
                                    "shot player-open.png\n"
                                    "shot editor-under.png frmTweenkit\n"
                                    "click VA_end\n"
                                    "shot player-end.png\n"
                                    "move frmMorphPlayer 3 3\n"
                                    "shot player-still.png\n";

TEST_P(DesktopWindows, EditorAndPlayerShowTheirHeadlessPicturesThroughEveryChange) {
    const std::string images = Samples();
    std::map<std::string, Place> at = Places(Headless(kEditorAndPlayerSteps, images));
    ASSERT_EQ(at.size(), 3u) << Out("h");
    const TBitmap editorShot = Shot("editor.png"), playerOpen = Shot("player-open.png");
    const TBitmap editorUnder = Shot("editor-under.png"), playerEnd = Shot("player-end.png");
    const TBitmap playerStill = Shot("player-still.png");

    StartImagora("--save " + (dir_ / "out").string() + " " + images);
    std::string editor = AwaitWindow("Tweenkit 1.2");
    ASSERT_FALSE(editor.empty()) << Err("s");
    Click(editor, at["WarpMeshG_btn"].CentreX(), at["WarpMeshG_btn"].CentreY());
    EXPECT_EQ(AwaitPicture(editor, editorShot), "") << "the editor after \"New mesh\"";

    Click(editor, at["MorphPreview_btn"].CentreX(), at["MorphPreview_btn"].CentreY());
    std::string player = AwaitWindow("Morph Preview");
    ASSERT_FALSE(player.empty()) << Err("s");
    EXPECT_EQ(AwaitPicture(player, playerOpen), "") << "the player as it opens";
    // The pointer leaves the editor for the player, and the button that opened it loses
    // its hover look, which a headless run cannot do: that button is not compared.
    const TRect opener = at["MorphPreview_btn"].Rect();
    EXPECT_EQ(AwaitPicture(editor, editorUnder, {Over(player, editor), opener}), "")
        << "the editor below the player";

    // A click on the editor is refused while the player is up, and the player stays whole.
    Click(editor, at["WarpMeshG_btn"].CentreX(), at["WarpMeshG_btn"].CentreY());
    Click(player, at["VA_end"].CentreX(), at["VA_end"].CentreY());
    EXPECT_EQ(AwaitPicture(player, playerEnd), "") << "the player at its last frame";
    // The pointer rests on a bare spot of the player, so changes below move it off no control.
    Xdo("mousemove --sync --window " + player + " 3 3");
    EXPECT_EQ(AwaitPicture(player, playerStill), "") << "the player with the pointer at rest";

    struct Change {
        const char* what;
        std::function<void(const std::string& window)> make;
    } changes[] = {
        {"covered and uncovered",
         [&](const std::string& window) {
             TPoint o = Origin(window);
             Cover(o.x + 20, o.y + 10, 200, 120);
             Uncover();
         }},
        {"moved",
         [&](const std::string& window) { Xdo("windowmove --sync " + window + " 30 40"); }},
        {"minimised and restored", [&](const std::string& window) { MinimiseAndRestore(window); }},
    };
    for (const Change& change : changes) {
        change.make(player);
        Xdo("mousemove --sync --window " + player + " 3 3");
        EXPECT_EQ(AwaitPicture(player, playerStill), "") << "the player " << change.what;
    }
    // The editor below the modal player: covered and uncovered.
    changes[0].make(editor);
    EXPECT_EQ(AwaitPicture(editor, editorUnder, {Over(player, editor), opener}), "")
        << "the editor covered and uncovered";

    if (WithWindowManager()) {
        // The window manager's close takes the player's normal close path, then the editor's.
        Xdo("windowactivate --sync " + player + " key --clearmodifiers alt+F4");
        EXPECT_TRUE(Gone("Morph Preview")) << "the player did not close";
        Xdo("windowactivate --sync " + editor + " key --clearmodifiers alt+F4");
        EXPECT_EQ(app_->Wait(20000), 0) << Err("s");
        // Closed, not run: the host keeps its two frames.
        EXPECT_EQ(Out("s"), "Tweenkit 1.2\nresult: 0\nframes: 2\n");
    }
    EXPECT_EQ(Err("s"), "");
}

TEST_P(DesktopWindows, TheEditorHasAnIconOfItsOwn) {
    StartImagora(Samples());
    std::string editor = AwaitWindow("Tweenkit 1.2");
    ASSERT_FALSE(editor.empty()) << Err("s");
    std::string icon = display_.Run("xprop -id " + editor + " _NET_WM_ICON");
    EXPECT_NE(icon.find("Icon (32 x 32)"), std::string::npos) << icon.substr(0, 80);
}

TEST_P(DesktopWindows, EscapeEnterAndSpaceAnswerAMessageBox) {
    for (const char* key : {"Escape", "Return", "space"}) {
        StartImagora(""); // no image: the module refuses in a message box
        std::string box = AwaitWindow("Tweenkit");
        ASSERT_FALSE(box.empty()) << key << "\n" << Err("s");
        // The key goes to the window that has the keyboard: give it to the box first.
        Xdo((WithWindowManager() ? "windowactivate --sync " : "windowfocus --sync ") + box +
            " key --window " + box + " " + key);
        EXPECT_EQ(app_->Wait(15000), 0) << key << "\n" << Err("s");
        EXPECT_EQ(Out("s"), "Tweenkit 1.2\nmessage: No image loaded/created, execution aborted!\n"
                            "result: -1\n")
            << key;
    }
}

INSTANTIATE_TEST_SUITE_P(Desktop, DesktopWindows, ::testing::Bool(), Name);

} // namespace
} // namespace desktop
