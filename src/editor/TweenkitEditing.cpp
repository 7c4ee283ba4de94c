// The mesh and field handlers of the editor window: they take the controls'
// state and hand the work to the two editors.
#include "Tweenkit_frm.hpp"

#include "FieldEditor.hpp"
#include "FlatCheckBox.hpp"
#include "FlatSpeedButton.hpp"
#include "FlatSpinEdit.hpp"
#include "MeshEditor.hpp"

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

void TfrmTweenkit::MeshMouseDown(int x, int y, TVectView* view) {
    MouseDown = true;
    mesh_->MouseDown(x, y, *view);
}

void TfrmTweenkit::MeshMouseUp(int x, int y, TVectView* view) {
    MouseDown = false;
    mesh_->MouseUp(x, y, *view);
}

void TfrmTweenkit::MeshDragNode(int x, int y, TVectView* view) {
    mesh_->DragNode(x, y, *view, MoveBothCheck->Checked());
}

bool TfrmTweenkit::MeshHitTest(int x, int y, TVectView* view) {
    return mesh_->HitTest(x, y, *view);
}

void TfrmTweenkit::FieldMouseDown(int x, int y, TVectView* view) {
    MouseDown = true;
    field_->MouseDown(x, y, *view);
}

void TfrmTweenkit::FieldMouseUp(int x, int y, TVectView* view) {
    MouseDown = false;
    field_->MouseUp(x, y, *view);
}

void TfrmTweenkit::FieldDragPoint(int x, int y, TVectView* view) {
    field_->DragPoint(x, y, *view, MoveBothCheck->Checked());
}

bool TfrmTweenkit::FieldHitTest(int x, int y, TVectView* view) {
    return field_->HitTest(x, y, *view);
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
