// Undo and redo in the editor window: each kind of edit taken back leaves the
// state it started from, and made again the state it made; the history is one per
// method, drops its redo steps on a new edit, and stays within its memory budget.
#include "EditorFixture.hpp"

#include "FlatCheckBox.hpp"
#include "FlatRadioButton.hpp"
#include "FlatSpeedButton.hpp"
#include "FlatSpinEdit.hpp"
#include "MeshEditor.hpp"
#include "controls/Label.hpp"

#include <algorithm>
#include <functional>
#include <malloc.h>
#include <sstream>
#include <string>
#include <vector>

namespace {

// What a person and a run can tell of the editor: the geometry of both methods,
// the counters and every object the views draw (cursor marks aside), by content.
struct EditorState {
    std::vector<std::string> lines;
    bool operator==(const EditorState&) const = default;
};

std::ostream& operator<<(std::ostream& out, const EditorState& state) {
    for (const std::string& line : state.lines)
        out << "\n  " << line;
    return out;
}

class UndoRedo : public EditorTest {
public:
    using EditorTest::Click;
    using EditorTest::editor;
    void SetUp() override {
        host.AddFrame(320, 240, clWhite);
        host.AddFrame(320, 240, clBlack);
        Open();
    }
    WarpObjStru& W() { return *editor->Warp; }

    EditorState Snapshot() {
        EditorState state;
        auto add = [&](std::ostringstream& line) { state.lines.push_back(line.str()); };
        std::ostringstream mesh;
        mesh << "mesh " << W().MeshCols << "x" << W().MeshRows << ":";
        if (W().MeshCols > 0)
            for (int k = 0; k <= W().MeshCols + 1; ++k)
                for (int r = 0; r <= W().MeshRows + 1; ++r) {
                    const int at = MeshIndex(k, r);
                    mesh << " " << W().MeshSrc[at].x << "," << W().MeshSrc[at].y << "/"
                         << W().MeshDst[at].x << "," << W().MeshDst[at].y;
                }
        add(mesh);
        std::ostringstream field;
        field << "field " << W().FieldPointCount << ":";
        for (int i = 0; i < W().FieldPointCount; ++i)
            field << " " << W().FieldSrc[i].x << "," << W().FieldSrc[i].y << "/"
                  << W().FieldDst[i].x << "," << W().FieldDst[i].y;
        add(field);
        std::ostringstream counters;
        counters << "counters " << editor->FieldUsedLabel->Caption() << " "
                 << editor->FieldFreeLabel->Caption();
        add(counters);
        for (TVectView* view : {editor->LeftView, editor->RightView}) {
            const ObjHandle mark =
                view == editor->LeftView ? W().LeftCursorMark : W().RightCursorMark;
            std::vector<std::string> objects;
            bool boxSeen = false, lineAfterBox = false;
            for (int i = 0; i < view->ObjectCount(); ++i) {
                const ObjHandle h = view->GetObjFromIndex(i);
                if (h == mark)
                    continue;
                std::ostringstream o;
                o << (view == editor->LeftView ? "left " : "right ") << view->GetObjKind(h) << " "
                  << view->GetObjLeft(h) << " " << view->GetObjTop(h) << " " << view->GetObjWidth(h)
                  << " " << view->GetObjHeight(h) << " pen " << view->GetObjPenColor(h) << " brush "
                  << view->GetObjBrushColor(h) << " style "
                  << static_cast<int>(view->GetObjStyle(h));
                objects.push_back(o.str());
                lineAfterBox |= boxSeen && view->GetObjKind(h) == okLINE;
                boxSeen |= view->GetObjKind(h) == okBOX;
            }
            std::sort(objects.begin(), objects.end());
            state.lines.insert(state.lines.end(), objects.begin(), objects.end());
            state.lines.push_back(lineAfterBox ? "a line in front of a marker"
                                               : "markers in front");
        }
        return state;
    }

    EditHistory& History(MorphMethod method) { return editor->History(method); }
    void Key(int key, TShiftState shift) { editor->FormKeyDown(editor.get(), key, shift); }
    void Undo() { Key('Z', ssCtrl); }
    void Redo() { Key('Y', ssCtrl); }
    void RedoShifted() { Key('Z', ssCtrl | ssShift); }

    void NewMesh(int v, int h) {
        editor->MeshColumnsEdit->SetValue(v);
        editor->MeshRowsEdit->SetValue(h);
        Click(editor->NewMeshButton);
    }
    void FieldMode() { Click(editor->FieldMethodRadio); }
    // A press, moves through the given points and a release, as one gesture.
    void Gesture(TVectView* view, std::vector<Point> path) {
        Move(view, path.front().x, path.front().y);
        Press(view, path.front().x, path.front().y);
        for (Point p : path)
            Move(view, p.x, p.y);
        Release(view, path.back().x, path.back().y);
    }
    void CursorMarksHidden() {
        EXPECT_EQ(editor->LeftView->GetObjStyle(W().LeftCursorMark), TVectStyle{});
        EXPECT_EQ(editor->RightView->GetObjStyle(W().RightCursorMark), TVectStyle{});
    }
};

struct EditCase {
    const char* name;
    std::function<void(UndoRedo&)> setUp;
    std::function<void(UndoRedo&)> edit;
};

void PrintTo(const EditCase& c, std::ostream* out) {
    *out << c.name;
}

void Nothing(UndoRedo&) {}

const EditCase kEditCases[] = {
    {"NewMeshWhereThereWasNone", Nothing, [](UndoRedo& t) { t.NewMesh(3, 2); }},
    {"NewMeshOverADraggedMesh",
     [](UndoRedo& t) {
         t.NewMesh(4, 3);
         t.Gesture(t.editor->LeftView, {{64, 60}, {70, 65}, {75, 71}});
         t.Gesture(t.editor->RightView, {{128, 120}, {140, 100}});
     },
     [](UndoRedo& t) { t.NewMesh(2, 2); }},
    {"DragInTheLeftView", [](UndoRedo& t) { t.NewMesh(3, 2); },
     [](UndoRedo& t) {
         t.Gesture(t.editor->LeftView, {{80, 80}, {90, 85}, {99, 91}});
     }},
    {"DragOfTheLastNodeBesideTheBorders", [](UndoRedo& t) { t.NewMesh(3, 2); },
     [](UndoRedo& t) {
         t.Gesture(t.editor->LeftView, {{240, 160}, {250, 170}});
     }},
    {"NewMeshOverANodeDraggedAwayAndBack",
     [](UndoRedo& t) {
         t.NewMesh(3, 2);
         t.Gesture(t.editor->RightView, {{240, 160}, {200, 100}, {240, 160}});
     },
     [](UndoRedo& t) { t.NewMesh(2, 2); }},
    {"DragInTheRightView", [](UndoRedo& t) { t.NewMesh(3, 2); },
     [](UndoRedo& t) {
         t.Gesture(t.editor->RightView, {{160, 80}, {150, 60}});
     }},
    {"DragMovingSourceAndDestination",
     [](UndoRedo& t) {
         t.NewMesh(3, 2);
         t.Gesture(t.editor->RightView, {{80, 80}, {100, 100}});
         UndoRedo::Click(t.editor->MoveBothCheck);
     },
     [](UndoRedo& t) {
         t.Gesture(t.editor->LeftView, {{80, 80}, {60, 70}});
     }},
    {"PressStartingAPolyline", [](UndoRedo& t) { t.FieldMode(); },
     [](UndoRedo& t) {
         t.Gesture(t.editor->LeftView, {{30, 40}, {50, 45}});
     }},
    {"PressExtendingAPolyline",
     [](UndoRedo& t) {
         t.FieldMode();
         t.Gesture(t.editor->LeftView, {{30, 40}, {50, 45}});
     },
     [](UndoRedo& t) {
         t.Gesture(t.editor->RightView, {{90, 100}, {95, 120}});
     }},
    {"PressAfterABreak",
     [](UndoRedo& t) {
         t.FieldMode();
         t.Gesture(t.editor->LeftView, {{30, 40}, {50, 45}});
         UndoRedo::Click(t.editor->LineBreakButton);
     },
     [](UndoRedo& t) {
         t.Gesture(t.editor->LeftView, {{200, 100}});
     }},
    {"MoveOfAFieldPoint",
     [](UndoRedo& t) {
         t.FieldMode();
         t.Gesture(t.editor->LeftView, {{30, 40}, {50, 45}});
         t.Gesture(t.editor->LeftView, {{90, 100}});
         UndoRedo::Click(t.editor->AddMoveButton);
     },
     [](UndoRedo& t) {
         t.Gesture(t.editor->RightView, {{50, 45}, {60, 20}, {61, 21}});
     }},
    {"LineBreak",
     [](UndoRedo& t) {
         t.FieldMode();
         t.Gesture(t.editor->LeftView, {{30, 40}, {50, 45}});
     },
     [](UndoRedo& t) { UndoRedo::Click(t.editor->LineBreakButton); }},
    {"UndoLastTakingBackAPoint",
     [](UndoRedo& t) {
         t.FieldMode();
         t.Gesture(t.editor->LeftView, {{30, 40}, {50, 45}});
         t.Gesture(t.editor->LeftView, {{90, 100}});
     },
     [](UndoRedo& t) { UndoRedo::Click(t.editor->UndoLastButton); }},
    {"UndoLastTakingBackAPolylineStart",
     [](UndoRedo& t) {
         t.FieldMode();
         t.Gesture(t.editor->LeftView, {{30, 40}, {50, 45}});
         UndoRedo::Click(t.editor->LineBreakButton);
         t.Gesture(t.editor->LeftView, {{130, 140}, {150, 145}});
     },
     [](UndoRedo& t) { UndoRedo::Click(t.editor->UndoLastButton); }},
    {"UndoLastTakingBackABreak",
     [](UndoRedo& t) {
         t.FieldMode();
         t.Gesture(t.editor->LeftView, {{30, 40}, {50, 45}});
         UndoRedo::Click(t.editor->LineBreakButton);
     },
     [](UndoRedo& t) { UndoRedo::Click(t.editor->UndoLastButton); }},
    {"Clear",
     [](UndoRedo& t) {
         t.FieldMode();
         t.Gesture(t.editor->LeftView, {{30, 40}, {50, 45}});
         UndoRedo::Click(t.editor->LineBreakButton);
         t.Gesture(t.editor->LeftView, {{130, 140}, {150, 145}});
         t.Gesture(t.editor->RightView, {{10, 200}});
     },
     [](UndoRedo& t) { UndoRedo::Click(t.editor->ClearButton); }},
};

class EachEdit : public UndoRedo, public ::testing::WithParamInterface<EditCase> {};

TEST_P(EachEdit, UndoLeavesTheStateBeforeAndRedoTheStateAfter) {
    GetParam().setUp(*this);
    const EditorState before = Snapshot();
    const size_t steps = History(W().Mode).UndoCount();
    GetParam().edit(*this);
    const EditorState after = Snapshot();
    ASSERT_NE(before, after) << "the edit changed nothing";
    ASSERT_EQ(History(W().Mode).UndoCount(), steps + 1) << "one edit, one step";

    Undo();
    EXPECT_EQ(Snapshot(), before);
    CursorMarksHidden();
    Redo();
    EXPECT_EQ(Snapshot(), after);
    Undo();
    RedoShifted();
    EXPECT_EQ(Snapshot(), after);
    // Back to the very start and forward again through every step.
    while (History(W().Mode).Undo()) {
    }
    while (History(W().Mode).Redo()) {
    }
    EXPECT_EQ(Snapshot(), after);
}

INSTANTIATE_TEST_SUITE_P(Edits, EachEdit, ::testing::ValuesIn(kEditCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(UndoRedo, EachMethodHasItsOwnHistory) {
    NewMesh(3, 2);
    FieldMode();
    Gesture(editor->LeftView, {{30, 40}});
    Click(editor->MeshMethodRadio);
    Undo(); // takes back the mesh, not the field press
    EXPECT_EQ(W().MeshCols, 0);
    EXPECT_EQ(W().FieldPointCount, 2);
    FieldMode();
    Undo();
    EXPECT_EQ(W().FieldPointCount, 0);
    EXPECT_EQ(editor->FieldUsedLabel->Caption(), "0");
}

TEST_F(UndoRedo, ANewEditAfterAnUndoDropsTheRedoSteps) {
    NewMesh(3, 2);
    Gesture(editor->LeftView, {{80, 80}, {90, 90}});
    Undo();
    EXPECT_EQ(History(MorphMethod::Mesh).RedoCount(), 1u);
    Gesture(editor->LeftView, {{160, 80}, {150, 70}});
    EXPECT_EQ(History(MorphMethod::Mesh).RedoCount(), 0u);
    Redo(); // nothing to redo: the first drag stays undone
    EXPECT_EQ(W().MeshSrc[MeshIndex(1, 1)].x, 80);
    EXPECT_EQ(W().MeshSrc[MeshIndex(2, 1)].x, 150);
}

TEST_F(UndoRedo, SwitchingMethodZoomingAndHoveringAreNoEdits) {
    NewMesh(3, 2);
    FieldMode();
    Click(editor->MeshMethodRadio);
    Click(editor->LeftZoomInButton);
    Move(editor->LeftView, 80, 80);
    Gesture(editor->LeftView, {{5, 5}, {6, 6}}); // no node under the press: nothing moves
    EXPECT_EQ(History(MorphMethod::Mesh).UndoCount(), 1u);
    EXPECT_EQ(History(MorphMethod::Field).UndoCount(), 0u);
}

TEST_F(UndoRedo, ADragIsOneStepHoweverManyMovesItHas) {
    NewMesh(3, 2);
    std::vector<Point> path;
    for (int i = 0; i < 50; ++i)
        path.push_back(Point{80 + i, 80 - i / 2});
    Gesture(editor->LeftView, path);
    EXPECT_EQ(History(MorphMethod::Mesh).UndoCount(), 2u);
    Undo();
    EXPECT_EQ(W().MeshSrc[MeshIndex(1, 1)].x, 80);
    EXPECT_EQ(W().MeshSrc[MeshIndex(1, 1)].y, 80);
}

TEST_F(UndoRedo, AKeyMidDragEndsTheDragAsAStepAndTakesItBack) {
    NewMesh(3, 2);
    Move(editor->LeftView, 80, 80);
    Press(editor->LeftView, 80, 80);
    Move(editor->LeftView, 100, 90);
    Undo();
    EXPECT_EQ(W().MeshSrc[MeshIndex(1, 1)].x, 80);
    Release(editor->LeftView, 100, 90);
    EXPECT_EQ(History(MorphMethod::Mesh).UndoCount(), 1u);
}

TEST_F(UndoRedo, TheUndoLastButtonIsAStepThatCtrlZTakesBack) {
    FieldMode();
    Gesture(editor->LeftView, {{30, 40}, {50, 45}});
    Gesture(editor->LeftView, {{90, 100}});
    Click(editor->AddMoveButton);
    Gesture(editor->LeftView, {{50, 45}, {55, 55}});
    // The button keeps its own meaning: the last addition goes, not the last move.
    Click(editor->UndoLastButton);
    EXPECT_EQ(W().FieldPointCount, 2);
    EXPECT_EQ(W().FieldSrc[1].x, 55);
    Undo();
    EXPECT_EQ(W().FieldPointCount, 3);
    EXPECT_EQ(W().FieldSrc[2].x, 90);
    Undo();
    EXPECT_EQ(W().FieldSrc[1].x, 50);
}

TEST_F(UndoRedo, KeysReachTheWindowWhicheverControlHasTheFocus) {
    NewMesh(3, 2);
    editor->FramesEdit->SetFocus();
    InputEvent key;
    key.kind = InputKind::KeyDown;
    key.window = editor->WindowId();
    key.key = 'Z';
    key.shift = ssCtrl;
    app.PostInput(key);
    app.ProcessMessages();
    EXPECT_EQ(W().MeshCols, 0);
    key.key = 'Y';
    app.PostInput(key);
    app.ProcessMessages();
    EXPECT_EQ(W().MeshCols, 3);
    // Without Ctrl the key is the spin edit's, not an undo.
    key.shift = 0;
    key.key = 'Z';
    app.PostInput(key);
    app.ProcessMessages();
    EXPECT_EQ(W().MeshCols, 3);
}

TEST_F(UndoRedo, AnOutsideToolPlacingEveryDestinationNodeIsOneStep) {
    NewMesh(3, 2);
    const EditorState before = Snapshot();
    std::vector<NodeValue> nodes;
    for (int k = 1; k <= 3; ++k)
        for (int r = 1; r <= 2; ++r) {
            const int at = MeshIndex(k, r);
            nodes.push_back(NodeValue{at, W().MeshSrc[at], Point{k * 80 + 7, r * 80 - 5}});
        }
    editor->Mesh().MoveNodes(nodes);
    EXPECT_EQ(W().MeshDst[MeshIndex(3, 2)].x, 247);
    EXPECT_EQ(History(MorphMethod::Mesh).UndoCount(), 2u);
    const EditorState after = Snapshot();
    Undo();
    EXPECT_EQ(Snapshot(), before);
    Redo();
    EXPECT_EQ(Snapshot(), after);
}

TEST_F(UndoRedo, TenThousandDragsOfA100By100MeshStayUnder50MB) {
    editor->Mesh().NewMesh(100, 100, 320, 240);
    const size_t start = History(MorphMethod::Mesh).Bytes();
#if !defined(__SANITIZE_ADDRESS__)
    const size_t heapStart = mallinfo2().uordblks;
#endif
    for (int i = 0; i < 10000; ++i) {
        const Point node = W().MeshSrc[MeshIndex(1 + i % 100, 1 + (i / 100) % 100)];
        // Whichever node the hover picks goes to a place no node has been.
        Move(editor->LeftView, node.x, node.y);
        Press(editor->LeftView, node.x, node.y);
        Move(editor->LeftView, 1000 + i, node.y);
        Release(editor->LeftView, 1000 + i, node.y);
    }
    EXPECT_EQ(History(MorphMethod::Mesh).UndoCount(), 10001u);
    EXPECT_LT(History(MorphMethod::Mesh).Bytes() - start, size_t{50} << 20);
#if !defined(__SANITIZE_ADDRESS__)
    EXPECT_LT(mallinfo2().uordblks - heapStart, size_t{50} << 20);
#endif
    // Undone to the start, the mesh is the regular grid again.
    while (History(MorphMethod::Mesh).Undo()) {
    }
    EXPECT_EQ(W().MeshCols, 0);
    while (History(MorphMethod::Mesh).Redo()) {
    }
    EXPECT_EQ(W().MeshCols, 100);
}

} // namespace
