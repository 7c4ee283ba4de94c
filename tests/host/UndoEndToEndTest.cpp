// Undo and redo keys in a script: the frames a run renders after an edit taken
// back are those of a run that never made it, byte for byte.
#include "ImagoraFixture.hpp"

#include <map>

namespace {

class UndoEndToEnd : public Imagora {
protected:
    std::map<std::string, std::string> Render(const std::string& name, const std::string& steps) {
        const std::string a = Pattern("a.png", 120, 90, 1), b = Pattern("b.png", 120, 90, 77);
        const std::string script = File(name + ".txt", steps + "click MorphFinal_btn\n");
        const fs::path out = dir_ / name;
        const Outcome r = Run("--script " + script + " --save " + out.string() + " " + a + " " + b);
        EXPECT_EQ(r.exitCode, 0) << r.err;
        EXPECT_NE(r.out.find("result: 0"), std::string::npos) << r.out;
        return Saved(out);
    }
};

TEST_F(UndoEndToEnd, AMeshDragTakenBackAndAnotherRedoneRenderAsNeverMade) {
    // 120 x 90 gives a 3 x 2 mesh by default: nodes at x 30, 60, 90 and y 30, 60.
    const auto direct = Render("direct", "click WarpMeshG_btn\n"
                                         "drag LeftView 30 30 40 35\n");
    const auto undone = Render("undone", "click WarpMeshG_btn\n"
                                         "drag LeftView 30 30 40 35\n"
                                         "drag RightView 60 60 70 50\n"
                                         "key LeftView ctrl+z\n"
                                         "key LeftView ctrl+z\n"
                                         "key LeftView ctrl+shift+z\n");
    ASSERT_FALSE(direct.empty());
    EXPECT_TRUE(direct == undone);
    const auto moved = Render("moved", "click WarpMeshG_btn\n"
                                       "drag LeftView 30 30 40 35\n"
                                       "drag RightView 60 60 70 50\n");
    EXPECT_FALSE(direct == moved) << "the second drag shows in the frames";
}

TEST_F(UndoEndToEnd, FieldEditsTakenBackInFieldMode) {
    const auto direct = Render("direct", "click MorphMethod_rbt2\n"
                                         "drag LeftView 20 20 80 30\n");
    const auto undone = Render("undone", "click MorphMethod_rbt2\n"
                                         "drag LeftView 20 20 80 30\n"
                                         "drag RightView 50 60 60 80\n"
                                         "click WarpFClear_btn\n"
                                         "key RightView ctrl+z\n"
                                         "key RightView ctrl+z\n"
                                         "key RightView ctrl+y\n"
                                         "key RightView ctrl+z\n");
    EXPECT_TRUE(direct == undone);
}

} // namespace
