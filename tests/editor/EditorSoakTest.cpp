// A seeded random-event soak of the editor: presses, drags, releases, wheel
// turns, every button of both methods, undo and redo keys, previews and final runs, with the state
// record's invariants checked after every event. TWEENKIT_SOAK_EVENTS sets the
// number of events (make soak runs a long one and reports the rate).
#include "EditorFixture.hpp"

#include "FlatCheckBox.hpp"
#include "FlatRadioButton.hpp"
#include "FlatSpeedButton.hpp"
#include "FlatSpinEdit.hpp"
#include "controls/Label.hpp"

#include <chrono>
#include <cstdlib>
#include <random>
#include <set>
#include <string>

namespace {

int SoakEvents() {
    const char* value = std::getenv("TWEENKIT_SOAK_EVENTS");
    return value ? std::atoi(value) : 20000;
}

class EditorSoak : public EditorTest {
protected:
    void SetUp() override {
        host.AddFrame(90, 70, clRed);
        host.AddFrame(90, 70, clBlue);
        Open();
    }

    // The objects of view, by handle.
    static std::set<int> Existing(TVectView* view) {
        std::set<int> handles;
        for (int i = 0; i < view->ObjectCount(); ++i)
            handles.insert(view->GetObjFromIndex(i));
        return handles;
    }

    // Checks every invariant; returns false (with a failure) at the first broken one.
    bool Check(const std::string& event) {
        const WarpObjStru& w = *editor->Warp;
        const bool mesh = w.MeshCols == 0 ? w.MeshRows == 0
                                          : w.MeshCols >= 1 && w.MeshCols <= 100 &&
                                                w.MeshRows >= 1 && w.MeshRows <= 100;
        EXPECT_TRUE(mesh) << event << ": mesh " << w.MeshCols << " x " << w.MeshRows;
        EXPECT_LE(w.FieldPointCount, kMaxFieldPoints) << event;
        for (int i = w.FieldPointCount; i < kFieldCapacity; ++i)
            if (w.FieldSrc[i].x != BREAK_MARK || w.FieldDst[i].x != BREAK_MARK) {
                ADD_FAILURE() << event << ": free slot " << i << " holds a point";
                return false;
            }
        struct Side {
            TVectView* view;
            const ObjHandle *vertical, *horizontal, *nodes, *segments, *markers;
            ObjHandle cursorMark;
        };
        for (const Side& s :
             {Side{editor->LeftView, w.MeshVLineLeft, w.MeshHLineLeft, w.MeshNodeLeft,
                   w.FieldSegLeft, w.FieldMarkLeft, w.LeftCursorMark},
              Side{editor->RightView, w.MeshVLineRight, w.MeshHLineRight, w.MeshNodeRight,
                   w.FieldSegRight, w.FieldMarkRight, w.RightCursorMark}}) {
            std::multiset<int> named = {s.cursorMark};
            // The rings of a failed run are the window's own objects, not the record's.
            for (ObjHandle ring : editor->FailureMarks(s.view))
                named.insert(ring);
            for (int c = 1; c <= w.MeshCols; ++c)
                for (int r = 0; r <= w.MeshRows; ++r)
                    named.insert(s.vertical[MeshIndex(c, r)]);
            for (int r = 1; r <= w.MeshRows; ++r)
                for (int c = 0; c <= w.MeshCols; ++c)
                    named.insert(s.horizontal[MeshIndex(c, r)]);
            for (int c = 1; c <= w.MeshCols; ++c)
                for (int r = 1; r <= w.MeshRows; ++r)
                    named.insert(s.nodes[MeshIndex(c, r)]);
            for (int i = 0; i < w.FieldPointCount; ++i) {
                if (w.FieldSrc[i].x == BREAK_MARK)
                    continue;
                named.insert(s.markers[i]);
                if (i + 1 < w.FieldPointCount && w.FieldSrc[i + 1].x != BREAK_MARK)
                    named.insert(s.segments[i]);
            }
            // Every handle of the record exists in its view, and nothing else does.
            if (std::set<int>(named.begin(), named.end()) != Existing(s.view) ||
                named.size() != Existing(s.view).size()) {
                ADD_FAILURE() << event << ": the record names " << named.size()
                              << " objects, the view holds " << s.view->ObjectCount();
                return false;
            }
        }
        return !::testing::Test::HasFailure();
    }

    TVectView* View() { return random_() % 2 ? editor->LeftView : editor->RightView; }
    int Coordinate(int extent) { return static_cast<int>(random_() % (extent + 40)) - 20; }

    // Performs one random user action and names it.
    std::string Act() {
        TVectView* view = View();
        const int x = Coordinate(editor->ImageWidth), y = Coordinate(editor->ImageHeight);
        switch (random_() % 22) {
        case 0:
        case 1:
        case 2:
            Press(view, x, y);
            return "press";
        case 3:
        case 4:
        case 5:
            Move(view, x, y);
            return "move";
        case 6:
        case 7:
            Release(view, x, y);
            return "release";
        case 8:
            editor->LeftView->SetZoom(random_() % 2 ? 50 : 200);
            return "zoom";
        case 9:
            Click(random_() % 2 ? editor->MeshMethodRadio : editor->FieldMethodRadio);
            return "method";
        case 10:
            editor->MeshColumnsEdit->SetValue(static_cast<int>(random_() % 6));
            editor->MeshRowsEdit->SetValue(static_cast<int>(random_() % 6));
            Click(editor->NewMeshButton);
            return "new mesh";
        case 11:
            Click(editor->LineBreakButton);
            return "break";
        case 12:
            Click(editor->UndoLastButton);
            return "undo";
        case 13:
            if (random_() % 8 == 0)
                Click(editor->ClearButton);
            return "clear";
        case 14:
            Click(editor->AddMoveButton);
            return "add/move";
        case 15:
            Click(editor->MoveBothCheck);
            return "move all";
        case 16: {
            TControl* buttons[] = {editor->LeftZoomInButton, editor->RightZoomOutButton,
                                   editor->LeftCenterButton, editor->LeftZoomOutButton};
            Click(buttons[random_() % 4]);
            return "view button";
        }
        case 17:
            if (random_() % 50 == 0) {
                testing::internal::CaptureStdout();
                editor->MorphPreview_btnClick(nullptr);
                testing::internal::GetCapturedStdout();
            }
            return "preview";
        case 18:
            if (random_() % 100 == 0) {
                testing::internal::CaptureStdout();
                editor->MorphFinal_btnClick(nullptr);
                testing::internal::GetCapturedStdout();
                if (!editor->Visible()) {
                    ++finals_;
                    Open();
                }
            }
            return "final";
        case 19: {
            int key = 'Z';
            editor->FormKeyDown(editor.get(), key, ssCtrl);
            return "ctrl+z";
        }
        case 20: {
            int key = random_() % 2 ? 'Y' : 'Z';
            editor->FormKeyDown(editor.get(), key, key == 'Y' ? ssCtrl : ssCtrl | ssShift);
            return "redo";
        }
        default:
            Drag(view, x, y, Coordinate(editor->ImageWidth), Coordinate(editor->ImageHeight));
            return "drag";
        }
    }

    std::mt19937 random_{20261210};
    int finals_ = 0;
};

TEST_F(EditorSoak, InvariantsHoldAfterEveryRandomEvent) {
    const int events = SoakEvents();
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < events; ++i) {
        const std::string event = Act();
        ASSERT_TRUE(Check("event " + std::to_string(i) + " (" + event + ")"));
        // The counters follow every press in field mode.
        if (event == "press" && editor->Warp->Mode == MorphMethod::Field) {
            ASSERT_EQ(editor->FieldUsedLabel->Caption(),
                      std::to_string(editor->Warp->FieldPointCount));
        }
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("soak: %d events in %.2f s, %.0f events per second, %d final runs\n", events,
                seconds, events / seconds, finals_);
}

} // namespace
