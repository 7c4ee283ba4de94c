// Ctrl+F in the editor window: the destination nodes or points go where the
// picture went, as one undoable edit that Ctrl+Z takes back exactly.
#include "EditorFixture.hpp"

#include "FlatRadioButton.hpp"
#include "FlatSpeedButton.hpp"
#include "FlatSpinEdit.hpp"
#include "GeometryFile.hpp"
#include "MeshEditor.hpp"
#include "ShiftedTexture.hpp"

#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

constexpr int kShiftX = 4, kShiftY = 3;

class AutoFitEdit : public EditorTest {
protected:
    WarpObjStru& W() { return *editor->Warp; }
    // The editor on a textured start frame and the same texture shifted by
    // (kShiftX, kShiftY) in the final one, or on two flat frames.
    void OpenOn(int width, int height, bool textured) {
        if (textured) {
            AddFrame(ShiftedTexture(width, height, 0, 0));
            AddFrame(ShiftedTexture(width, height, kShiftX, kShiftY));
        } else {
            host.AddFrame(width, height, clGray);
            host.AddFrame(width, height, clGray);
        }
        Open();
    }
    void AddFrame(const TBitmap& frame) {
        host.frames.push_back(frame);
        host.list.AppendImage();
    }
    void NewMesh(int cols, int rows) {
        editor->MeshColumnsEdit->SetValue(cols);
        editor->MeshRowsEdit->SetValue(rows);
        Click(editor->NewMeshButton);
    }
    void Key(int key) { editor->FormKeyDown(editor.get(), key, ssCtrl); }
    // Ctrl+F; the messages it showed.
    std::string Fit() {
        testing::internal::CaptureStdout();
        Key('F');
        return testing::internal::GetCapturedStdout();
    }
    // Both methods' geometry and where the views draw it (the cursor marks aside),
    // with or without the mesh lines.
    std::string Snapshot(bool lines = true) {
        std::ostringstream s;
        s << W().MeshCols << "x" << W().MeshRows << " " << W().FieldPointCount << "\n";
        for (int k = 0; k <= W().MeshCols + 1; ++k)
            for (int r = 0; r <= W().MeshRows + 1; ++r) {
                const int at = MeshIndex(k, r);
                s << W().MeshSrc[at].x << "," << W().MeshSrc[at].y << "/" << W().MeshDst[at].x
                  << "," << W().MeshDst[at].y << " ";
            }
        for (int i = 0; i < W().FieldPointCount; ++i)
            s << W().FieldSrc[i].x << "," << W().FieldSrc[i].y << "/" << W().FieldDst[i].x << ","
              << W().FieldDst[i].y << " ";
        for (TVectView* view : {editor->LeftView, editor->RightView})
            for (int i = 0; i < view->ObjectCount(); ++i) {
                const ObjHandle h = view->GetObjFromIndex(i);
                if (h == W().LeftCursorMark || h == W().RightCursorMark ||
                    (!lines && view->GetObjKind(h) == okLINE))
                    continue;
                s << "\n"
                  << view->GetObjKind(h) << " " << view->GetObjLeft(h) << " " << view->GetObjTop(h)
                  << " " << view->GetObjWidth(h) << " " << view->GetObjHeight(h);
            }
        return s.str();
    }
    // Ctrl+F was one step: Ctrl+Z gives back `before` (taken with or without lines)
    // exactly, Ctrl+Y the fit again, and the two alternate with every line in place.
    // (A mesh's lines are compared from the first undo on: "New mesh" draws the last
    // line of a column to the image's edge, a redrawn node to the border node, a
    // pixel short.)
    void ExpectOneUndoableStep(MorphMethod method, size_t stepsBefore, const std::string& before,
                               bool beforeHasLines) {
        const std::string fitted = Snapshot();
        EXPECT_EQ(editor->History(method).UndoCount(), stepsBefore + 1);
        Key('Z');
        EXPECT_EQ(Snapshot(beforeHasLines), before);
        const std::string undone = Snapshot();
        Key('Y');
        EXPECT_EQ(Snapshot(), fitted);
        Key('Z');
        EXPECT_EQ(Snapshot(), undone);
        EXPECT_EQ(editor->History(method).UndoCount(), stepsBefore);
    }
};

TEST_F(AutoFitEdit, MeshNodesFollowTheShiftAsOneStepAndTheFileKeepsThem) {
    const fs::path path = fs::path(::testing::TempDir()) / "autofit-edit.json";
    fs::remove(path);
    AddFrame(ShiftedTexture(200, 150, 0, 0));
    AddFrame(ShiftedTexture(200, 150, kShiftX, kShiftY));
    host.list.SetSelectedItem(0);
    editor = std::make_unique<TfrmTweenkit>(nullptr);
    editor->Context = &host.context;
    editor->Command = &FakeHost::Command;
    editor->GeometryPath = path.string();
    editor->Show();
    NewMesh(6, 4);
    const auto laid = std::make_unique<WarpObjStru>(W());
    const std::string before = Snapshot(false);
    const size_t steps = editor->History(MorphMethod::Mesh).UndoCount();

    EXPECT_EQ(Fit(), "") << "every node fitted: no message";

    EXPECT_EQ(W().MeshCols, 6);
    EXPECT_EQ(W().MeshRows, 4);
    for (int k = 0; k <= 7; ++k)
        for (int r = 0; r <= 5; ++r) {
            const int at = MeshIndex(k, r);
            EXPECT_TRUE(SamePoint(W().MeshSrc[at], laid->MeshSrc[at])) << k << "," << r;
            const bool border = k == 0 || k == 7 || r == 0 || r == 5;
            const Point expected =
                border ? laid->MeshDst[at]
                       : Point{laid->MeshSrc[at].x + kShiftX, laid->MeshSrc[at].y + kShiftY};
            EXPECT_LE(std::abs(W().MeshDst[at].x - expected.x), 1) << k << "," << r;
            EXPECT_LE(std::abs(W().MeshDst[at].y - expected.y), 1) << k << "," << r;
        }
    // The save after an edit comes at most once a second.
    const int64_t due = app.NowMs() + 1000;
    app.WaitUntil(due);
    while (app.NowMs() < due)
        app.HandleMessage();
    app.ProcessMessages();
    const GeometryLoad saved = LoadGeometryFile(path.string());
    ASSERT_EQ(saved.status, GeometryLoad::Status::Loaded);
    EXPECT_TRUE(SamePoint(saved.record.meshDst[0], W().MeshDst[MeshIndex(1, 1)]));

    ExpectOneUndoableStep(MorphMethod::Mesh, steps, before, false);
    fs::remove(path);
}

TEST_F(AutoFitEdit, FieldPointsFollowTheShiftAsOneStep) {
    OpenOn(200, 150, true);
    Click(editor->FieldMethodRadio);
    Press(editor->LeftView, 40, 40);
    Move(editor->LeftView, 120, 40);
    Release(editor->LeftView, 120, 40);
    Press(editor->LeftView, 120, 100);
    Release(editor->LeftView, 120, 100);
    Click(editor->LineBreakButton);
    Press(editor->LeftView, 60, 110);
    Move(editor->LeftView, 150, 70);
    Release(editor->LeftView, 150, 70);
    ASSERT_EQ(W().FieldPointCount, 6);
    const auto drawn = std::make_unique<WarpObjStru>(W());
    const std::string before = Snapshot();
    const size_t steps = editor->History(MorphMethod::Field).UndoCount();

    EXPECT_EQ(Fit(), "");

    EXPECT_EQ(W().FieldPointCount, 6);
    for (int i = 0; i < 6; ++i) {
        EXPECT_TRUE(SamePoint(W().FieldSrc[i], drawn->FieldSrc[i])) << i;
        if (drawn->FieldSrc[i].x == BREAK_MARK) {
            EXPECT_EQ(W().FieldDst[i].x, BREAK_MARK) << "the break stays";
            continue;
        }
        EXPECT_LE(std::abs(W().FieldDst[i].x - (drawn->FieldSrc[i].x + kShiftX)), 1) << i;
        EXPECT_LE(std::abs(W().FieldDst[i].y - (drawn->FieldSrc[i].y + kShiftY)), 1) << i;
    }
    ExpectOneUndoableStep(MorphMethod::Field, steps, before, true);
}

TEST_F(AutoFitEdit, FlatFramesMoveNothingAndSaySoOnce) {
    OpenOn(200, 150, false);
    NewMesh(6, 4);
    const std::string before = Snapshot();
    const size_t steps = editor->History(MorphMethod::Mesh).UndoCount();
    EXPECT_EQ(Fit(), "message: fitted 0 of 24 nodes: no match to trust, nothing moved\n");
    EXPECT_EQ(Snapshot(), before);
    EXPECT_EQ(editor->History(MorphMethod::Mesh).UndoCount(), steps);
}

TEST_F(AutoFitEdit, NothingToFitDoesNothing) {
    OpenOn(200, 150, true);
    const std::string before = Snapshot();
    EXPECT_EQ(Fit(), "") << "no mesh";
    Click(editor->FieldMethodRadio);
    EXPECT_EQ(Fit(), "") << "no field points";
    EXPECT_EQ(Snapshot(), before);
    EXPECT_EQ(editor->History(MorphMethod::Mesh).UndoCount(), 0u);
    EXPECT_EQ(editor->History(MorphMethod::Field).UndoCount(), 0u);
}

TEST_F(AutoFitEdit, AHundredByHundredMeshFitsWithoutANewFold) {
    // Laid by the mesh editor itself: "New mesh" offers 100 x 100 only from 2000 pixels on.
    OpenOn(400, 300, true);
    editor->Mesh().NewMesh(100, 100, 400, 300);
    ASSERT_EQ(W().MeshCols, 100);
    // The regular grid folds at its last lines already (it ends past the border there).
    const auto folds = [this] {
        std::vector<MeshSegment> found;
        FindFolds(
            100, 100, [this](int k, int r) { return W().MeshDst[MeshIndex(k, r)].x; },
            [this](int k, int r) { return W().MeshDst[MeshIndex(k, r)].y; }, found);
        return found;
    };
    const std::vector<MeshSegment> laid = folds();
    const std::string message = Fit();
    EXPECT_EQ(message.find('\n'), message.rfind('\n')) << "at most one message: " << message;
    EXPECT_EQ(folds(), laid);
    const Point src = W().MeshSrc[MeshIndex(50, 50)], dst = W().MeshDst[MeshIndex(50, 50)];
    EXPECT_LE(std::abs(dst.x - (src.x + kShiftX)), 1);
    EXPECT_LE(std::abs(dst.y - (src.y + kShiftY)), 1);
}

} // namespace
