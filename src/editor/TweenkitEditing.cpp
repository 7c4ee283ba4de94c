// The mesh and field buttons of the editor window, which take the controls'
// state and hand the work to the two editors, and undo and redo.
#include "Tweenkit_frm.hpp"

#include "FieldEditor.hpp"
#include "FlatCheckBox.hpp"
#include "FlatSpeedButton.hpp"
#include "FlatSpinEdit.hpp"
#include "MeshEditor.hpp"
#include "MethodEditor.hpp"

namespace {

// The edit's value brought into its range the way setting it would: below the
// minimum gives the minimum, above the maximum the maximum.
int ValueInRange(const TFlatSpinEdit& edit) {
    const int value = edit.Value();
    if (value < edit.MinValue())
        return edit.MinValue();
    if (value > edit.MaxValue())
        return edit.MaxValue();
    return value;
}

} // namespace

void TfrmTweenkit::WarpMeshG_btnClick(TObject*) {
    if (!mesh_)
        return;
    // On an image under 20 pixels wide or high a count comes out as 0: no mesh fits
    // such an image, so the editor lays none.
    mesh_->NewMesh(ValueInRange(*MeshColumnsEdit), ValueInRange(*MeshRowsEdit), ImageWidth,
                   ImageHeight);
}

void TfrmTweenkit::WarpFieldClick(TObject* sender) {
    auto* button = dynamic_cast<TFlatSpeedButton*>(sender);
    if (!button || !field_)
        return;
    switch (button->Tag()) {
    case 0:
        field_->SetAddMode(button->Down());
        break;
    case 1:
        field_->LineBreak();
        break;
    case 2:
        field_->UndoLast();
        ShowFieldCounters();
        break;
    case 3:
        field_->Clear();
        ShowFieldCounters();
        break;
    default:
        break;
    }
}

MethodEditor& TfrmTweenkit::ActiveEditor() {
    if (Warp->Mode == MorphMethod::Mesh)
        return *mesh_;
    return *field_;
}

void TfrmTweenkit::CreateEditors() {
    mesh_ = std::make_unique<MeshEditor>(*Warp, *LeftView, *RightView);
    field_ = std::make_unique<FieldEditor>(*Warp, *LeftView, *RightView);
    for (MorphMethod method : {MorphMethod::Mesh, MorphMethod::Field}) {
        MethodEditor& editor = method == MorphMethod::Mesh ? static_cast<MethodEditor&>(*mesh_)
                                                           : static_cast<MethodEditor&>(*field_);
        editor.SetEditReport([this, method](std::unique_ptr<EditStep> step) {
            RecordEdit(method, std::move(step));
        });
    }
}

void TfrmTweenkit::RecordEdit(MorphMethod method, std::unique_ptr<EditStep> step) {
    History(method).Record(std::move(step));
    ClearFailureMarks();
    GeometryChanged();
}

void TfrmTweenkit::UndoEdit() {
    if (!Warp)
        return;
    // A drag still under way becomes a step of its own, the one taken back.
    ActiveEditor().FinishGesture();
    if (History(Warp->Mode).Undo())
        AfterHistoryStep(Warp->Mode);
}

void TfrmTweenkit::RedoEdit() {
    if (!Warp)
        return;
    ActiveEditor().FinishGesture();
    if (History(Warp->Mode).Redo())
        AfterHistoryStep(Warp->Mode);
}

void TfrmTweenkit::AfterHistoryStep(MorphMethod method) {
    if (method == MorphMethod::Field)
        ShowFieldCounters();
    ClearFailureMarks();
    GeometryChanged();
}

void TfrmTweenkit::FormKeyDown(TObject*, int& key, TShiftState shift) {
    if ((shift & (ssCtrl | ssAlt)) != ssCtrl)
        return;
    const bool withShift = (shift & ssShift) != 0;
    if (key == 'Z' && !withShift)
        UndoEdit();
    else if (key == 'Y' || (key == 'Z' && withShift))
        RedoEdit();
    else if (key == 'F' && !withShift)
        FitEdit();
    else
        return;
    key = 0;
}
