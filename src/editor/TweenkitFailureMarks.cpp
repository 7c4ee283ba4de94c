// Red rings, after a run failed on a zero divisor, around the mesh nodes or field
// lines that caused it. They are objects of their own, not in the state record,
// and the next edit takes them away.
#include "Tweenkit_frm.hpp"

#include "FailureProbe.hpp"
#include "FlatSpinEdit.hpp"
#include "VectView.hpp"

#include <exception>

namespace {

constexpr TColor kFailureRingPen = 0x0000FF; // red

} // namespace

void TfrmTweenkit::ShowFailureMarks() {
    ClearFailureMarks();
    const RunShape run{WorkWidth, WorkHeight, RunScale, FramesEdit->Value(), WarpOnly, MaxY};
    std::vector<FailureMark> marks;
    try {
        marks = Warp->Mode == MorphMethod::Mesh ? MeshFailureMarks(*Warp, run)
                                                : FieldFailureMarks(*Warp, run);
    } catch (const std::exception&) {
        return; // a failure the probe cannot place gets the message alone
    }
    for (const FailureMark& mark : marks) {
        TVectView& view = mark.left ? *LeftView : *RightView;
        const ObjHandle ring = view.AddNewObject();
        view.SetObjKind(ring, okELLIPSE);
        view.SetObjLeft(ring, mark.centre.x - mark.radius);
        view.SetObjTop(ring, mark.centre.y - mark.radius);
        view.SetObjWidth(ring, 2 * mark.radius);
        view.SetObjHeight(ring, 2 * mark.radius);
        view.SetObjPenColor(ring, kFailureRingPen);
        view.SetObjStyle(ring, vsVisible);
        view.SetObjFrontOf(ring, -1);
        (mark.left ? failureMarksLeft_ : failureMarksRight_).push_back(ring);
    }
}

void TfrmTweenkit::ClearFailureMarks() {
    for (ObjHandle ring : failureMarksLeft_)
        LeftView->RemoveObject(ring);
    for (ObjHandle ring : failureMarksRight_)
        RightView->RemoveObject(ring);
    failureMarksLeft_.clear();
    failureMarksRight_.clear();
}
