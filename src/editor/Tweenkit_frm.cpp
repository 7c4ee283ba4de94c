#include "Tweenkit_frm.hpp"

TfrmTweenkit::TfrmTweenkit(TComponent* owner) : TForm(owner) {
    SetName("frmTweenkit");
    SetCaption("Tweenkit 1.2");
    SetPosition(poScreenCenter);
    SetColor(clBtnFace);
    TFont font;
    font.Name = "Tahoma";
    font.Height = -11;
    SetFont(font);
    SetBounds(0, 0, 643, 408);
    OnClose = [this](TObject* sender, TCloseAction& action) { FormClose(sender, action); };
    FormCreate(this);
}

TfrmTweenkit::~TfrmTweenkit() {
    // A window destroyed without being closed still gives its record back.
    delete Warp;
}

void TfrmTweenkit::FormCreate(TObject*) {
    LeftZoom = RightZoom = 100.0;
    MouseDown = false;
    WarpOnly = false;
    PreviewSide = 200.0;
    RunScale = 1.0;
    Warp = new WarpObjStru;
}

void TfrmTweenkit::FormClose(TObject*, TCloseAction&) {
    delete Warp;
    Warp = nullptr;
}
