// The two run buttons, the run driver and the frame output of the editor window.
#include "Tweenkit_frm.hpp"

#include "Application.hpp"
#include "Dialogs.hpp"
#include "FieldMorphSequence.hpp"
#include "FlatRadioButton.hpp"
#include "FlatSpinEdit.hpp"
#include "KernelSchedule.hpp"
#include "MeshMorphSequence.hpp"
#include "MethodEditor.hpp"
#include "MorphPlayer_frm.hpp"
#include "MultiView.hpp"
#include "Screen.hpp"
#include "VectView.hpp"
#include "WorkingSet.hpp"
#include "controls/Panel.hpp"
#include "controls/ProgressBar.hpp"

#include <cmath>
#include <exception>
#include <memory>
#include <stdexcept>

namespace {

// Passes each frame of a sequence, as the bitmap of the working set that holds it, to the
// window's frame output, then steps the bar.
class EditorFrameSink : public FrameSink {
public:
    EditorFrameSink(TfrmTweenkit& window, const WorkingSet& workingSet, bool preview)
        : window_(window), workingSet_(workingSet), preview_(preview) {}
    void EmitFrame(const WorkImage& frame, int64_t) override {
        TBitmap* bitmap = workingSet_.BitmapOf(frame);
        if (bitmap == nullptr) {
            throw std::invalid_argument("a frame outside the working set");
        }
        window_.OutputFrame(bitmap, preview_, window_.DelayEdit->Value(), window_.WarpOnly);
    }
    void StepProgress() override { window_.ProgressBar->StepIt(); }

private:
    TfrmTweenkit& window_;
    const WorkingSet& workingSet_;
    bool preview_;
};

// A copy of source scaled to width x height, pixels dropped or repeated.
std::unique_ptr<TBitmap> ScaledCopy(const TBitmap& source, int width, int height) {
    auto scaled = std::make_unique<TBitmap>(width, height, pf24bit);
    scaled->Canvas().StretchDraw(TRect{0, 0, width, height}, source);
    return scaled;
}

} // namespace

bool TfrmTweenkit::RefusedWithoutGeometry() {
    const bool hasGeometry = ActiveEditor().HasGeometry();
    if (!hasGeometry)
        ShowMessage("No mesh created, action not performed!");
    return !hasGeometry;
}

void TfrmTweenkit::MorphPreview_btnClick(TObject*) {
    if (!RefusedWithoutGeometry())
        RunMorph(true);
}

void TfrmTweenkit::MorphFinal_btnClick(TObject*) {
    if (!RefusedWithoutGeometry() && RunMorph(false))
        Close();
}

bool TfrmTweenkit::RunMorph(bool preview) {
    if (preview) {
        const int longer = ImageWidth > ImageHeight ? ImageWidth : ImageHeight;
        RunScale = PreviewSide / longer;
        WorkWidth = static_cast<int32_t>(std::ceil(ImageWidth * RunScale));
        WorkHeight = static_cast<int32_t>(std::ceil(ImageHeight * RunScale));
    } else {
        WorkWidth = ImageWidth;
        WorkHeight = ImageHeight;
        RunScale = 1.0;
    }

    // The scaled inputs of a preview live as long as the run.
    std::unique_ptr<TBitmap> scaledSrc, scaledDst;
    if (preview) {
        // Only one player window at a time: a new preview replaces the last one.
        delete frmMorphPlayer;
        frmMorphPlayer = new TfrmMorphPlayer(Application);
        OutView = frmMorphPlayer->VA_MView;
        scaledSrc = ScaledCopy(*LeftView->GetFBitmap(), WorkWidth, WorkHeight);
        scaledDst = ScaledCopy(*RightView->GetFBitmap(), WorkWidth, WorkHeight);
        SrcBitmap = scaledSrc.get();
        DstBitmap = scaledDst.get();
        SrcHandle = SrcBitmap->Handle();
        DstHandle = DstBitmap->Handle();
        OutputFrame(SrcBitmap, true, DelayEdit->Value(), false);
    } else {
        OutView = Sequence->FrameList;
        SrcBitmap = LeftView->GetFBitmap();
        DstBitmap = RightView->GetFBitmap();
        SrcHandle = SrcBitmap->Handle();
        DstHandle = DstBitmap->Handle();
    }

    WorkingSet workingSet(*this);
    Screen->SetCursor(crHourGlass);
    try {
        PanelProgress->BringToFront();
        const int count = FramesEdit->Value() - (WarpOnly ? 1 : 2);
        ProgressBar->SetMax(count < 0 ? 0 : count);
        ProgressBar->SetPosition(0);
        EditorFrameSink sink(*this, workingSet, preview);
        const MorphImages images = workingSet.Images();
        // The kernels are chosen here, once for the whole run.
        const bool reference = ReferenceForced();
        if (Warp->Mode == MorphMethod::Mesh) {
            MeshMorphSequence(Warp->MeshSrc, Warp->MeshDst, Warp->MeshCols, Warp->MeshRows, images,
                              FramesEdit->Value(), LinearRadio->Checked(), WarpOnly, RunScale,
                              reference ? ReferenceMeshKernels() : FastMeshKernels(), sink);
        } else {
            FieldMorphSequence(Warp->FieldSrc, Warp->FieldDst, Warp->FieldPointCount, MaxY, images,
                               FramesEdit->Value(), WarpOnly, RunScale,
                               reference ? ReferenceFieldKernels() : FastFieldKernels(), sink);
        }
        PanelProgress->SendToBack();
    } catch (const std::exception&) {
        Screen->SetCursor(crDefault);
        PanelProgress->SendToBack();
        ShowMessage("Error generating morphing sequence. Possible reason: control points "
                    "overlaping!");
        ShowFailureMarks();
        SrcBitmap = DstBitmap = nullptr;
        return false;
    }
    Screen->SetCursor(crDefault);
    if (preview) {
        if (!WarpOnly)
            OutputFrame(DstBitmap, true, DelayEdit->Value(), false);
        frmMorphPlayer->ShowModal();
    }
    SrcBitmap = DstBitmap = nullptr;
    return true;
}

void TfrmTweenkit::OutputFrame(TBitmap* bitmap, bool preview, int delay, bool warpOnly) {
    if (preview) {
        const int index = OutView->AppendImage();
        OutView->SetImage(index, *bitmap);
        OutView->SetImageDelayTime(index, delay * 10);
        return;
    }
    Exchange->FrameIndex = OutView->GetImageCount() - 1;
    Exchange->Delay = delay;
    Exchange->Graphic = bitmap;
    Command(warpOnly ? kCmdPutWarpFrame : kCmdPutMorphFrame);
}
