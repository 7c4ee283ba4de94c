#include "Tweenkit_frm.hpp"

#include "Dialogs.hpp"
#include "EditorIcon.hpp"
#include "FieldEditor.hpp"
#include "FlatCheckBox.hpp"
#include "FlatRadioButton.hpp"
#include "FlatSpeedButton.hpp"
#include "FlatSpinEdit.hpp"
#include "MeshEditor.hpp"
#include "MultiView.hpp"
#include "Screen.hpp"
#include "VectView.hpp"
#include "ViewCursors.hpp"
#include "controls/Label.hpp"
#include "controls/Panel.hpp"

#include <algorithm>
#include <string>

namespace {

constexpr double kMaxZoom = 1600;
constexpr double kMinZoom = 10;

// A view's cursor mark: a hidden aqua ellipse of 20 x 20 pixels.
ObjHandle AddCursorMark(TVectView& view) {
    const ObjHandle mark = view.AddNewObject();
    view.SetObjKind(mark, okELLIPSE);
    view.SetObjLeft(mark, 0);
    view.SetObjTop(mark, 0);
    view.SetObjWidth(mark, 20);
    view.SetObjHeight(mark, 20);
    view.SetObjPenColor(mark, 0xFFFF00);
    view.SetObjStyle(mark, TVectStyle{});
    return mark;
}

} // namespace

TfrmTweenkit::TfrmTweenkit(TComponent* owner) : TForm(owner) {
    SetName("frmTweenkit");
    SetCaption("Tweenkit 1.2");
    SetIcon(MakeEditorIcon());
    SetPosition(poScreenCenter);
    SetColor(clBtnFace);
    TFont font;
    font.Name = "Tahoma";
    font.Height = -11;
    SetFont(font);
    SetBounds(0, 0, 643, 408);
    CreateControls();
    OnShow = [this](TObject* sender) { FormShow(sender); };
    OnResize = [this](TObject* sender) { FormResize(sender); };
    OnClose = [this](TObject* sender, TCloseAction& action) { FormClose(sender, action); };
    FormCreate(this);
}

TfrmTweenkit::~TfrmTweenkit() {
    // A window destroyed without being closed still gives its record back.
    mesh_.reset();
    field_.reset();
    delete Warp;
}

TVectView* TfrmTweenkit::CreateView(TPanel* panel, const char* name) {
    auto* view = new TVectView(panel);
    view->SetName(name);
    view->SetParent(panel);
    view->SetCursor(crViewCross1);
    view->SetBackGround(clMenu);
    view->SetBorderStyle(bsNone);
    view->SetAlign(alClient);
    view->SetTabOrder(1);
    view->SetScrollBars(ssBoth);
    view->OnMouseDown = [this](TObject* s, TMouseButton b, TShiftState sh, int x, int y) {
        VectViewMouseDown(s, b, sh, x, y);
    };
    view->OnMouseUp = [this](TObject* s, TMouseButton b, TShiftState sh, int x, int y) {
        VectViewMouseUp(s, b, sh, x, y);
    };
    view->OnMouseMove = [this](TObject* s, TShiftState sh, int x, int y) {
        VectViewMouseMove(s, sh, x, y);
    };
    return view;
}

void TfrmTweenkit::FormCreate(TObject*) {
    LeftView = CreateView(PanelLeft, "LeftView");
    RightView = CreateView(PanelRight, "RightView");
    LeftZoom = RightZoom = 100.0;
    MouseDown = false;
    WarpOnlyLabel->SetCaption("");
    WarpOnly = false;
    PreviewSide = 200.0;
    RunScale = 1.0;
    Warp = new WarpObjStru;
    Warp->LeftCursorMark = AddCursorMark(*LeftView);
    Warp->RightCursorMark = AddCursorMark(*RightView);
    CreateEditors();
    SetKeyPreview(true);
    OnKeyDown = [this](TObject* sender, int& key, TShiftState shift) {
        FormKeyDown(sender, key, shift);
    };
}

bool TfrmTweenkit::FetchFrame(int index, TBitmap& scratch, bool resize) {
    Exchange->FrameIndex = index;
    Command(kCmdGetFrame);
    const TBitmap* graphic = Exchange->Graphic;
    const bool usable = graphic != nullptr && !graphic->Empty();
    if (usable) {
        if (resize) {
            scratch.SetSize(graphic->Width(), graphic->Height());
            scratch.SetPixelFormat(pf24bit);
        }
        scratch.Canvas().Draw(0, 0, *graphic);
    }
    Command(kCmdReleaseFrame);
    return usable;
}

void TfrmTweenkit::FormShow(TObject*) {
    PanelMesh->BringToFront();
    PanelLeft->SetWidth(ClientWidth() / 2);
    Sequence = Context->Sequence;
    Exchange = Context->Exchange;

    TBitmap scratch;
    TMultiView* frames = Sequence->FrameList;
    const int selected = frames->SelectedItem();
    if (!FetchFrame(selected, scratch, true)) {
        // A host that lends no image leaves nothing to edit.
        noImage_ = true;
        ShowMessage("No image loaded/created, execution aborted!");
        Close();
        return;
    }
    LeftView->Assign(scratch);
    ImageWidth = scratch.Width();
    ImageHeight = scratch.Height();
    MaxX = ImageWidth - 1;
    MaxY = ImageHeight - 1;

    MeshColumnsEdit->SetMaxValue(std::min(ImageWidth / 20, 100));
    MeshRowsEdit->SetMaxValue(std::min(ImageHeight / 20, 100));
    MeshColumnsEdit->SetValue(MeshColumnsEdit->MaxValue() / 2);
    MeshRowsEdit->SetValue(MeshRowsEdit->MaxValue() / 2);

    if (selected + 1 < frames->GetImageCount()) {
        // An unusable final frame leaves the start image in its place.
        FetchFrame(selected + 1, scratch, false);
    } else {
        WarpOnlyLabel->SetCaption("Warp only mode!");
        WarpOnly = true;
    }
    RightView->Assign(scratch);
    OpenGeometry();
    if (AutoFit)
        AutoFitMesh();
    LeftView->Repaint();
    RightView->Repaint();
}

void TfrmTweenkit::FormResize(TObject*) {
    if (PanelLeft)
        PanelLeft->SetWidth(ClientWidth() / 2);
}

void TfrmTweenkit::FormClose(TObject*, TCloseAction&) {
    if (geometryTimer_) {
        geometryTimer_->SetEnabled(false);
        SaveGeometry();
    }
    if (LeftView)
        ClearFailureMarks();
    // The steps refer to the editors: they go first.
    meshHistory_.Clear();
    fieldHistory_.Clear();
    mesh_.reset();
    field_.reset();
    for (TVectView** view : {&LeftView, &RightView}) {
        if (*view) {
            (*view)->Assign(nullptr);
            delete *view;
            *view = nullptr;
        }
    }
    delete Warp;
    Warp = nullptr;
}

void TfrmTweenkit::VectCommonClick(TObject* sender) {
    auto* button = dynamic_cast<TComponent*>(sender);
    if (!button || !LeftView)
        return;
    const int tag = button->Tag();
    const bool left = tag / 10 == 1;
    if (tag / 10 != 1 && tag / 10 != 2)
        return;
    TVectView* view = left ? LeftView : RightView;
    double& zoom = left ? LeftZoom : RightZoom;
    switch (tag % 10) {
    case 0:
        view->SetCenter((left ? LeftCenterButton : RightCenterButton)->Down());
        view->SetViewX(0);
        view->SetViewY(0);
        break;
    case 1:
        if (zoom < kMaxZoom) {
            zoom *= 2;
            view->SetZoom(zoom);
        }
        break;
    case 2:
        if (zoom > kMinZoom) {
            zoom *= 0.5;
            view->SetZoom(zoom);
        }
        break;
    default:
        break;
    }
    GeometryChanged();
}

void TfrmTweenkit::MorphMethodClick(TObject*) {
    if (!Warp)
        return;
    ClearFailureMarks();
    for (TVectView* view : {LeftView, RightView}) {
        for (int i = 0; i < view->ObjectCount(); ++i)
            view->SetObjStyle(view->GetObjFromIndex(i), TVectStyle{});
    }
    if (MeshMethodRadio->Checked()) {
        Warp->Mode = MorphMethod::Mesh;
        PanelMesh->BringToFront();
        ShowMeshObjects();
    } else {
        Warp->Mode = MorphMethod::Field;
        PanelField->BringToFront();
        ShowFieldObjects();
    }
    GeometryChanged();
}

void TfrmTweenkit::ShowMeshObjects() {
    const WarpObjStru& w = *Warp;
    if (w.MeshCols == 0)
        return;
    struct Side {
        TVectView* view;
        const ObjHandle *vertical, *horizontal, *nodes;
    };
    for (const Side& s : {Side{LeftView, w.MeshVLineLeft, w.MeshHLineLeft, w.MeshNodeLeft},
                          Side{RightView, w.MeshVLineRight, w.MeshHLineRight, w.MeshNodeRight}}) {
        for (int c = 1; c <= w.MeshCols; ++c)
            for (int r = 0; r <= w.MeshRows; ++r)
                s.view->SetObjStyle(s.vertical[MeshIndex(c, r)], vsVisible);
        for (int r = 1; r <= w.MeshRows; ++r)
            for (int c = 0; c <= w.MeshCols; ++c)
                s.view->SetObjStyle(s.horizontal[MeshIndex(c, r)], vsVisible);
        for (int c = 1; c <= w.MeshCols; ++c) {
            for (int r = 1; r <= w.MeshRows; ++r) {
                s.view->SetObjStyle(s.nodes[MeshIndex(c, r)], vsVisible);
                s.view->SetObjFrontOf(s.nodes[MeshIndex(c, r)], -1);
            }
        }
    }
}

void TfrmTweenkit::ShowFieldObjects() {
    const WarpObjStru& w = *Warp;
    for (int i = 0; i < w.FieldPointCount; ++i) {
        if (w.FieldSrc[i].x == BREAK_MARK)
            continue;
        if (w.FieldSrc[i + 1].x < BREAK_MARK) {
            LeftView->SetObjStyle(w.FieldSegLeft[i], vsVisible);
            RightView->SetObjStyle(w.FieldSegRight[i], vsVisible);
        }
        LeftView->SetObjStyle(w.FieldMarkLeft[i], vsVisible);
        RightView->SetObjStyle(w.FieldMarkRight[i], vsVisible);
    }
}

void TfrmTweenkit::ShowFieldCounters() {
    // The count as of the last press, "Undo last" or "Clear" (a break shows later).
    const int count = field_->ShownCount();
    FieldUsedLabel->SetCaption(std::to_string(count));
    FieldFreeLabel->SetCaption(std::to_string(1000 - count));
}

void TfrmTweenkit::VectViewMouseDown(TObject* sender, TMouseButton, TShiftState, int x, int y) {
    auto* view = dynamic_cast<TVectView*>(sender);
    if (!view || !Warp)
        return;
    MouseDown = true;
    ActiveEditor().Press(view->XScr2Bmp(x), view->YScr2Bmp(y), *view);
    if (Warp->Mode == MorphMethod::Field)
        ShowFieldCounters();
}

void TfrmTweenkit::VectViewMouseMove(TObject* sender, TShiftState, int x, int y) {
    auto* view = dynamic_cast<TVectView*>(sender);
    if (!view || !Warp)
        return;
    const int bx = view->XScr2Bmp(x);
    const int by = view->YScr2Bmp(y);
    if (MouseDown) {
        ActiveEditor().Drag(bx, by, *view, MoveBothCheck->Checked());
        GeometryChanged();
        return;
    }
    view->SetCursor(ActiveEditor().HitTest(bx, by, *view) ? crHandPoint : crViewCross1);
}

void TfrmTweenkit::VectViewMouseUp(TObject* sender, TMouseButton, TShiftState, int x, int y) {
    auto* view = dynamic_cast<TVectView*>(sender);
    if (!view || !Warp)
        return;
    MouseDown = false;
    ActiveEditor().Release(view->XScr2Bmp(x), view->YScr2Bmp(y), *view);
}
