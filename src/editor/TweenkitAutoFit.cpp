// Ctrl+F and the host's --auto-fit: the destination nodes of the mesh, or the
// destination points of the field, go where the picture content under their
// source went in the final image, as one undoable edit.
#include "Tweenkit_frm.hpp"

#include "Dialogs.hpp"
#include "DibAccess.hpp"
#include "FieldEditor.hpp"
#include "FieldFit.hpp"
#include "FieldPointsStep.hpp"
#include "FlatRadioButton.hpp"
#include "MeshEditor.hpp"
#include "MeshFit.hpp"
#include "VectView.hpp"

#include <exception>
#include <iostream>
#include <stdexcept>
#include <vector>

namespace {

// The full-size picture a view shows, described in place for the fit.
WorkImage ViewPicture(TVectView& view, DIBSECTION& scratch) {
    TBitmap* bitmap = view.GetFBitmap();
    const DibInfo info = bitmap ? GetDibInfo(bitmap->Handle(), scratch) : DibInfo{};
    if (!info.Is24Bit || scratch.RowStride != RowStrideFor(info.Width))
        throw std::invalid_argument("the pictures are not 24-bit images");
    return WorkImage{info.Bits, info.Width, info.Height, RowStrideFor(info.Width)};
}

} // namespace

std::optional<FitCount> TfrmTweenkit::FitActiveMethod() {
    if (!Warp)
        return std::nullopt;
    const bool mesh = Warp->Mode == MorphMethod::Mesh;
    if (mesh ? Warp->MeshCols == 0 : Warp->FieldPointCount == 0)
        return std::nullopt;
    ActiveEditor().FinishGesture();
    const WorkImage src = ViewPicture(*LeftView, DibScratch);
    const WorkImage dst = ViewPicture(*RightView, DibScratch);
    const WarpObjStru& w = *Warp;
    if (mesh) {
        std::vector<Point> fitted(kMeshCells);
        const FitCount count = FitMeshDestination(src, dst, w.MeshSrc, w.MeshDst, w.MeshCols,
                                                  w.MeshRows, fitted.data());
        std::vector<NodeValue> nodes;
        for (int k = 1; k <= w.MeshCols; ++k)
            for (int r = 1; r <= w.MeshRows; ++r)
                nodes.push_back(NodeValue{MeshIndex(k, r), w.MeshSrc[MeshIndex(k, r)],
                                          fitted[MeshIndex(k, r)]});
        // Reported as one step, and only when a node moved.
        mesh_->MoveNodes(nodes);
        return count;
    }
    std::vector<Point> fitted(kFieldCapacity);
    const FitCount count =
        FitFieldDestination(src, dst, w.FieldSrc, w.FieldDst, w.FieldPointCount, fitted.data());
    std::vector<FieldPointChange> changes;
    for (int i = 0; i < w.FieldPointCount; ++i)
        if (field_->IsPoint(i) && !SamePoint(fitted[i], w.FieldDst[i]))
            changes.push_back(FieldPointChange{i, FieldSlot{w.FieldSrc[i], w.FieldDst[i]},
                                               FieldSlot{w.FieldSrc[i], fitted[i]}});
    if (!changes.empty()) {
        auto step =
            std::make_unique<FieldPointsStep>(*field_, std::move(changes), field_->ShownCount());
        step->Redo();
        RecordEdit(MorphMethod::Field, std::move(step));
    }
    return count;
}

void TfrmTweenkit::FitEdit() {
    const FitSubject subject =
        Warp && Warp->Mode == MorphMethod::Field ? FitSubject::FieldPoints : FitSubject::MeshNodes;
    std::string message;
    try {
        if (const std::optional<FitCount> count = FitActiveMethod())
            message = FitStatusMessage(*count, subject);
    } catch (const std::exception& error) {
        message = std::string("Auto-fit failed: ") + error.what() + ".";
    }
    if (!message.empty())
        ShowMessage(message);
}

void TfrmTweenkit::AutoFitMesh() {
    if (!MeshMethodRadio->Checked()) {
        MeshMethodRadio->SetChecked(true);
        MorphMethodClick(nullptr);
    }
    if (Warp->MeshCols == 0)
        WarpMeshG_btnClick(nullptr);
    std::string status;
    try {
        if (const std::optional<FitCount> count = FitActiveMethod()) {
            status = FitStatusMessage(*count, FitSubject::MeshNodes);
            if (status.empty())
                status = "fitted " + std::to_string(count->fitted) + " of " +
                         std::to_string(count->total) + " nodes";
        } else {
            status = "no mesh fits frames of " + std::to_string(ImageWidth) + " x " +
                     std::to_string(ImageHeight) + ", nothing fitted";
        }
    } catch (const std::exception& error) {
        status = std::string("failed: ") + error.what();
    }
    std::cerr << "auto-fit: " << status << std::endl;
}
