// TfrmMorphPlayer, the modal "Morph Preview" window: shows the frames of a preview run one at a
// time, steps through them with a slider and plays them in a loop. The multi-image view does
// the showing and timing; the window sizes itself to the frames and keeps the slider, the label
// and the view in step.
#pragma once

#include "Form.hpp"

class TPanel;
class TFlatPanel;
class TSpeedButton;
class TStaticText;
class TLabel;
class TMultiView;
class TxTrackBar;

class TfrmMorphPlayer : public TForm {
public:
    // Builds the window's controls and runs FormCreate.
    explicit TfrmMorphPlayer(TComponent* owner);

    // Window events.
    void FormCreate(TObject* sender);
    void FormShow(TObject* sender);
    void FormClose(TObject* sender, TCloseAction& action);
    // Control events.
    void VA_beginClick(TObject* sender);
    void VA_playClick(TObject* sender);
    void VA_endClick(TObject* sender);
    void VA_trackChange(TObject* sender);
    void VA_MViewImageDraw(TObject* sender, int idx, int left, int top, TCanvas& canvas);

    // Controls, owned by the window.
    TPanel* VA_play_pan = nullptr;
    TMultiView* VA_MView = nullptr;
    TFlatPanel* Panel2 = nullptr;
    TSpeedButton* VA_begin = nullptr;
    TSpeedButton* VA_play = nullptr;
    TSpeedButton* VA_end = nullptr;
    TxTrackBar* VA_track = nullptr;
    TStaticText* StaticText1 = nullptr;
    TLabel* VA_lab = nullptr;

private:
    void CreateControls();
};

// Size limits of the window's frame cell, set by FormCreate from the screen.
extern int PlayerMinWidth;
extern int PlayerMaxWidth;
extern int PlayerMinHeight;
extern int PlayerMaxHeight;

// The player of the current preview run; the run driver creates it.
extern TfrmMorphPlayer* frmMorphPlayer;
