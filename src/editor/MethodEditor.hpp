// What the editor window asks of the editor of either morph method: the mouse
// gestures in the two views, the hover test, whether there is anything to run
// on, and the undoable edits the gestures and buttons make, reported as they end.
#pragma once

#include "EditStep.hpp"

#include <functional>
#include <memory>

class TVectView;

class MethodEditor {
public:
    // Receives each finished edit; the window records it in the method's history.
    using EditReport = std::function<void(std::unique_ptr<EditStep>)>;

    virtual ~MethodEditor() = default;

    // A press, a move with the button down, and a release at image pixel (x, y)
    // of view; moveBoth is the "Move src. & dest." check box.
    virtual void Press(int x, int y, TVectView& view) = 0;
    virtual void Drag(int x, int y, TVectView& view, bool moveBoth) = 0;
    virtual void Release(int x, int y, TVectView& view) = 0;
    // A move with the button up: picks what lies under (x, y), true when something does.
    virtual bool HitTest(int x, int y, TVectView& view) = 0;
    // True when a run of this method has something to work on.
    virtual bool HasGeometry() const = 0;
    // Reports the edit of a gesture still under way (a drag whose release was
    // lost, or a key pressed mid-drag), so that it is one step of its own.
    virtual void FinishGesture() = 0;
    // Clears both views' picks and hides both cursor marks.
    virtual void ForgetPicks() = 0;

    void SetEditReport(EditReport report) { report_ = std::move(report); }

protected:
    void Report(std::unique_ptr<EditStep> step) {
        if (report_ && step)
            report_(std::move(step));
    }

private:
    EditReport report_;
};
