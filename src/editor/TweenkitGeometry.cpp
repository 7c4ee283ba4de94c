// The geometry file of the editor window: restored when the window shows on
// frames of the file's size, saved after edits (at most once a second) and when
// the window closes. A file that cannot be used is set aside, never overwritten.
#include "Tweenkit_frm.hpp"

#include "Application.hpp"
#include "Dialogs.hpp"
#include "FieldEditor.hpp"
#include "FlatCheckBox.hpp"
#include "FlatRadioButton.hpp"
#include "FlatSpinEdit.hpp"
#include "GeometryFile.hpp"
#include "MeshEditor.hpp"
#include "Timer.hpp"
#include "VectView.hpp"

#include <algorithm>

namespace {

constexpr int64_t kSaveSpacingMs = 1000;

std::string Size(int width, int height) {
    return std::to_string(width) + " x " + std::to_string(height);
}

} // namespace

GeometryRecord TfrmTweenkit::CaptureGeometry() {
    GeometryRecord record;
    record.width = ImageWidth;
    record.height = ImageHeight;
    record.method = Warp->Mode;
    record.meshColumns = Warp->MeshCols;
    record.meshRows = Warp->MeshRows;
    for (int k = 1; k <= Warp->MeshCols; ++k) {
        for (int r = 1; r <= Warp->MeshRows; ++r) {
            record.meshSrc.push_back(Warp->MeshSrc[MeshIndex(k, r)]);
            record.meshDst.push_back(Warp->MeshDst[MeshIndex(k, r)]);
        }
    }
    record.fieldSrc.assign(Warp->FieldSrc, Warp->FieldSrc + Warp->FieldPointCount);
    record.fieldDst.assign(Warp->FieldDst, Warp->FieldDst + Warp->FieldPointCount);
    record.linear = LinearRadio->Checked();
    record.moveBoth = MoveBothCheck->Checked();
    // The edits' values as a run reads them, within what a file may hold.
    record.frames = std::clamp(FramesEdit->Value(), 0, 100);
    record.delay = std::clamp(DelayEdit->Value(), 0, 100);
    record.leftZoom = LeftZoom;
    record.rightZoom = RightZoom;
    return record;
}

void TfrmTweenkit::RestoreGeometry(const GeometryRecord& record) {
    FramesEdit->SetValue(record.frames);
    DelayEdit->SetValue(record.delay);
    (record.linear ? LinearRadio : CatmullRomRadio)->SetChecked(true);
    MoveBothCheck->SetChecked(record.moveBoth);
    LeftZoom = record.leftZoom;
    RightZoom = record.rightZoom;
    LeftView->SetZoom(LeftZoom);
    RightView->SetZoom(RightZoom);

    mesh_->LayGrid(record.meshColumns, record.meshRows, ImageWidth, ImageHeight);
    std::vector<NodeValue> nodes;
    size_t n = 0;
    for (int k = 1; k <= record.meshColumns; ++k)
        for (int r = 1; r <= record.meshRows; ++r, ++n)
            nodes.push_back(NodeValue{MeshIndex(k, r), record.meshSrc[n], record.meshDst[n]});
    mesh_->PlaceNodes(nodes);

    std::vector<FieldSlot> slots;
    for (size_t i = 0; i < record.fieldSrc.size(); ++i)
        slots.push_back(FieldSlot{record.fieldSrc[i], record.fieldDst[i]});
    field_->SetTail(0, slots);
    field_->SetShownCount(static_cast<int>(slots.size()));
    ShowFieldCounters();

    (record.method == MorphMethod::Mesh ? MeshMethodRadio : FieldMethodRadio)->SetChecked(true);
    // Shows the chosen method's objects only, whichever radio button was checked.
    MorphMethodClick(nullptr);
}

void TfrmTweenkit::OpenGeometry() {
    if (GeometryPath.empty())
        return;
    GeometryLoad load = LoadGeometryFile(GeometryPath);
    if (load.status == GeometryLoad::Status::Loaded &&
        (load.record.width != ImageWidth || load.record.height != ImageHeight)) {
        load.status = GeometryLoad::Status::Bad;
        load.reason = "it was made for frames of " + Size(load.record.width, load.record.height) +
                      ", not " + Size(ImageWidth, ImageHeight);
    }
    if (load.status == GeometryLoad::Status::Loaded) {
        RestoreGeometry(load.record);
    } else if (load.status == GeometryLoad::Status::Bad) {
        const std::optional<std::string> kept = KeepAsBad(GeometryPath);
        if (!kept)
            geometryUnwritable_ = true; // it stays where it is, untouched
        ShowMessage("Geometry file " + GeometryPath + " not used: " + load.reason + ". " +
                    (kept ? "It is kept as " + *kept + "; the editor starts afresh."
                          : "It could not be set aside and will not be overwritten."));
    }
    // Saving starts now: a restore half done is never written.
    geometryTimer_ = new TTimer(this);
    geometryTimer_->SetEnabled(false);
    geometryTimer_->OnTimer = [this](TObject*) {
        geometryTimer_->SetEnabled(false);
        SaveGeometry();
    };
}

void TfrmTweenkit::GeometryChanged() {
    if (!geometryTimer_ || !Warp)
        return;
    const int64_t since = Application->NowMs() - lastGeometrySave_;
    if (!geometrySaved_ || since >= kSaveSpacingMs) {
        geometryTimer_->SetEnabled(false);
        SaveGeometry();
    } else if (!geometryTimer_->Enabled()) {
        geometryTimer_->SetInterval(static_cast<int>(kSaveSpacingMs - since));
        geometryTimer_->SetEnabled(true);
    }
}

void TfrmTweenkit::SaveGeometry() {
    if (GeometryPath.empty() || geometryUnwritable_ || !Warp || ImageWidth == 0)
        return;
    lastGeometrySave_ = Application->NowMs();
    geometrySaved_ = true;
    std::string error;
    if (!SaveGeometryFile(GeometryPath, CaptureGeometry(), error)) {
        geometryUnwritable_ = true;
        ShowMessage("Geometry file " + GeometryPath + " cannot be written: " + error + ".");
    }
}
