#include "MorphPlayer_frm.hpp"

#include "FlatPanel.hpp"
#include "MultiView.hpp"
#include "PlayerGlyphs.hpp"
#include "Screen.hpp"
#include "controls/Label.hpp"
#include "controls/Panel.hpp"
#include "controls/SpeedButton.hpp"
#include "controls/StaticText.hpp"
#include "xTrackBar.hpp"

#include <string>

int PlayerMinWidth = 0;
int PlayerMaxWidth = 0;
int PlayerMinHeight = 0;
int PlayerMaxHeight = 0;

TfrmMorphPlayer* frmMorphPlayer = nullptr;

namespace {

template <class T> T* Make(TComponent* owner, TWinControl* parent, const char* name) {
    T* control = new T(owner);
    control->SetName(name);
    control->SetParent(parent);
    return control;
}

TSpeedButton* MakeButton(TComponent* owner, TWinControl* parent, const char* name, int left,
                         const TBitmap& glyph) {
    auto* button = Make<TSpeedButton>(owner, parent, name);
    button->SetFlat(true);
    button->SetBounds(left, 5, 25, 25);
    button->SetGlyph(glyph);
    return button;
}

} // namespace

TfrmMorphPlayer::TfrmMorphPlayer(TComponent* owner) : TForm(owner) {
    SetName("frmMorphPlayer");
    SetBorderStyle(bsDialog);
    SetCaption("Morph Preview");
    SetClientSize(299, 180);
    SetPosition(poScreenCenter);
    CreateControls();
    OnShow = [this](TObject* s) { FormShow(s); };
    OnClose = [this](TObject* s, TCloseAction& a) { FormClose(s, a); };
    FormCreate(this);
}

void TfrmMorphPlayer::CreateControls() {
    // Bottom first: the client-aligned panel takes what the bottom panel leaves.
    Panel2 = Make<TFlatPanel>(this, this, "Panel2");
    Panel2->SetAlign(alBottom);
    Panel2->SetHeight(60);
    Panel2->SetParentColor(true);

    VA_play_pan = Make<TPanel>(this, this, "VA_play_pan");
    VA_play_pan->SetAlign(alClient);
    VA_play_pan->SetBevelOuter(bvNone);

    VA_MView = Make<TMultiView>(this, VA_play_pan, "VA_MView");
    VA_MView->SetAlign(alClient);
    VA_MView->SetBorderStyle(bsNone);
    VA_MView->SetDisplayMode(mdSingle);
    VA_MView->SetVisibleSelection(false);
    VA_MView->SetSelectionWidth(3);
    VA_MView->SetSelectionColor(clRed);
    VA_MView->OnImageDraw = [this](TObject* s, int idx, int l, int t, TCanvas& c) {
        VA_MViewImageDraw(s, idx, l, t, c);
    };

    VA_begin = MakeButton(this, Panel2, "VA_begin", 8, MakeBeginGlyph());
    VA_begin->OnClick = [this](TObject* s) { VA_beginClick(s); };
    VA_play = MakeButton(this, Panel2, "VA_play", 33, MakePlayGlyph());
    VA_play->SetGroupIndex(1);
    VA_play->SetAllowAllUp(true);
    VA_play->OnClick = [this](TObject* s) { VA_playClick(s); };
    VA_end = MakeButton(this, Panel2, "VA_end", 58, MakeEndGlyph());
    VA_end->OnClick = [this](TObject* s) { VA_endClick(s); };

    VA_track = Make<TxTrackBar>(this, Panel2, "VA_track");
    VA_track->SetBounds(97, 6, 185, 22);
    VA_track->SetCursor(crHandPoint);
    VA_track->SetMax(100);
    VA_track->SetPosition(0);
    VA_track->SetFrequency(1);
    VA_track->SetThumbLength(20);
    VA_track->SetTickMarks(tmBoth);
    VA_track->SetTickStyle(tsNone);
    VA_track->OnChange = [this](TObject* s) { VA_trackChange(s); };

    StaticText1 = Make<TStaticText>(this, Panel2, "StaticText1");
    StaticText1->SetBounds(18, 38, 0, 0);
    StaticText1->SetCaption("Current frame:");

    VA_lab = Make<TLabel>(this, Panel2, "VA_lab");
    TFont bold = VA_lab->Font();
    bold.Bold = true;
    bold.Color = clRed;
    VA_lab->SetFont(bold);
    VA_lab->SetBounds(105, 39, 0, 0);
    VA_lab->SetCaption("100");
}

void TfrmMorphPlayer::FormCreate(TObject*) {
    PlayerMinWidth = 300;
    PlayerMaxWidth = Screen->Width() - 100;
    PlayerMinHeight = 100;
    PlayerMaxHeight = Screen->Height() - 100;
}

void TfrmMorphPlayer::FormShow(TObject*) {
    VA_track->SetMax(VA_MView->GetImageCount() - 1);
    VA_MView->LoopPlayback = true;
    int frameWidth = VA_MView->GetImageWidth(0);
    int frameHeight = VA_MView->GetImageHeight(0);
    VA_MView->SetThumbHeight(frameHeight);
    VA_MView->SetThumbWidth(frameWidth);
    // The limits are compared with the first frame's size, not with the cell's.
    if (frameHeight < PlayerMinHeight)
        VA_MView->SetThumbHeight(PlayerMinHeight);
    if (frameHeight > PlayerMaxHeight)
        VA_MView->SetThumbHeight(PlayerMaxHeight);
    if (frameWidth < PlayerMinWidth)
        VA_MView->SetThumbWidth(PlayerMinWidth);
    if (frameWidth > PlayerMaxWidth)
        VA_MView->SetThumbWidth(PlayerMaxWidth);
    SetClientWidth(VA_MView->ThumbWidth() + 8);
    SetClientHeight(VA_MView->ThumbHeight() + Panel2->Height() + 8);
    // The window was centred at its design size; centre it at the size it now has.
    if (Position() == poScreenCenter)
        SetBounds((Screen->Width() - Width()) / 2, (Screen->Height() - Height()) / 2, Width(),
                  Height());
}

void TfrmMorphPlayer::FormClose(TObject*, TCloseAction&) {
    VA_MView->Clear();
}

void TfrmMorphPlayer::VA_playClick(TObject*) {
    VA_MView->SetPlaying(VA_play->Down());
}

void TfrmMorphPlayer::VA_beginClick(TObject*) {
    VA_MView->SetVisibleFrame(0);
}

void TfrmMorphPlayer::VA_endClick(TObject*) {
    VA_MView->SetVisibleFrame(VA_MView->GetImageCount() - 1);
}

// Showing the slider's frame must not write the drawn index back to the slider meanwhile.
void TfrmMorphPlayer::VA_trackChange(TObject*) {
    VA_MView->OnImageDraw = nullptr;
    VA_MView->SetVisibleFrame(VA_track->Position());
    VA_lab->SetCaption(std::to_string(VA_track->Position()));
    VA_MView->OnImageDraw = [this](TObject* s, int idx, int l, int t, TCanvas& c) {
        VA_MViewImageDraw(s, idx, l, t, c);
    };
}

// A frame drawn by playback or the buttons moves the slider without setting the frame again.
void TfrmMorphPlayer::VA_MViewImageDraw(TObject*, int idx, int, int, TCanvas&) {
    VA_track->OnChange = nullptr;
    VA_lab->SetCaption(std::to_string(idx));
    VA_track->SetPosition(idx);
    VA_track->OnChange = [this](TObject* s) { VA_trackChange(s); };
}
