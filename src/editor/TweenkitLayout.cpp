// The controls of the editor window: kinds, parents, placement, captions, tags,
// hints, fonts, colours, defaults and events.
#include "Tweenkit_frm.hpp"

#include "FlatCheckBox.hpp"
#include "FlatPanel.hpp"
#include "FlatRadioButton.hpp"
#include "FlatSpeedButton.hpp"
#include "FlatSpinEdit.hpp"
#include "ViewGlyphs.hpp"
#include "controls/Label.hpp"
#include "controls/Panel.hpp"
#include "controls/ProgressBar.hpp"
#include "controls/Splitter.hpp"
#include "controls/StaticText.hpp"

#include <string>

namespace {

// Creates a control of kind T owned by the window and placed in parent.
template <class T>
T* Make(TComponent* owner, TWinControl* parent, const char* name, int left, int top, int width,
        int height) {
    auto* control = new T(owner);
    control->SetName(name);
    control->SetParent(parent);
    control->SetBounds(left, top, width, height);
    return control;
}

template <class T>
T* MakeAligned(TComponent* owner, TWinControl* parent, const char* name, TAlign align) {
    auto* control = new T(owner);
    control->SetName(name);
    control->SetParent(parent);
    control->SetAlign(align);
    return control;
}

TPanel* MakeStackedPanel(TComponent* owner, TWinControl* parent, const char* name) {
    auto* panel = MakeAligned<TPanel>(owner, parent, name, alClient);
    panel->SetBevelOuter(bvNone);
    return panel;
}

void SetBoldCaption(TControl* control, const std::string& caption, TColor colour) {
    control->SetCaption(caption);
    TFont font = control->Font();
    font.Bold = true;
    font.Color = colour;
    control->SetFont(font);
}

void GiveHint(TControl* control, const std::string& hint) {
    control->SetHint(hint);
    control->SetShowHint(true);
}

TStaticText* MakeText(TComponent* owner, TWinControl* parent, const char* name, int left, int top,
                      const char* caption, bool bold = false) {
    auto* text = new TStaticText(owner);
    text->SetName(name);
    text->SetParent(parent);
    text->SetLeft(left);
    text->SetTop(top);
    if (bold)
        SetBoldCaption(text, caption, clWindowText);
    else
        text->SetCaption(caption);
    return text;
}

// A bold, right-aligned counter whose right edge stays at x = 83.
TLabel* MakeCounter(TComponent* owner, TWinControl* parent, const char* name, int top,
                    const char* caption) {
    auto* label = new TLabel(owner);
    label->SetName(name);
    label->SetParent(parent);
    label->SetAlignment(taRightJustify);
    SetBoldCaption(label, caption, clWindowText);
    label->SetBounds(83 - label->Width(), top, label->Width(), label->Height());
    return label;
}

TFlatSpinEdit* MakeSpin(TComponent* owner, TWinControl* parent, const char* name, int left, int top,
                        int width, int minValue, int maxValue, int value) {
    auto* edit = Make<TFlatSpinEdit>(owner, parent, name, left, top, width, 20);
    edit->SetMinValue(minValue);
    edit->SetMaxValue(maxValue);
    edit->SetValue(value);
    return edit;
}

} // namespace

void TfrmTweenkit::CreateControls() {
    // Aligned in this order: the bottom strip, the left image, its splitter, the right image.
    PanelBottom = MakeAligned<TPanel>(this, this, "PanelBottom", alBottom);
    PanelBottom->SetHeight(60);
    PanelBottom->SetBevelInner(bvLowered);
    PanelLeft = MakeAligned<TPanel>(this, this, "PanelLeft", alLeft);
    PanelLeft->SetWidth(313);
    PanelLeft->SetBevelInner(bvLowered);
    Splitter = MakeAligned<TSplitter>(this, this, "Splitter", alLeft);
    Splitter->SetBounds(313, 0, 8, 321);
    Splitter->SetCursor(crHSplit);
    Splitter->SetBeveled(true);
    PanelRight = MakeAligned<TPanel>(this, this, "PanelRight", alClient);
    PanelRight->SetBevelInner(bvLowered);

    // Method, run buttons, frames and delay.
    PanelBotLeft = MakeAligned<TFlatPanel>(this, PanelBottom, "PanelBotLeft", alLeft);
    PanelBotLeft->SetWidth(311);
    auto methodClick = [this](TObject* sender) { MorphMethodClick(sender); };
    MorphMethod_rbt1 = Make<TFlatRadioButton>(this, PanelBotLeft, "MorphMethod_rbt1", 8, 8, 81, 17);
    MorphMethod_rbt1->SetCaption("Mesh 2-pass");
    MorphMethod_rbt1->SetChecked(true);
    MorphMethod_rbt1->OnClick = methodClick;
    MorphMethod_rbt2 =
        Make<TFlatRadioButton>(this, PanelBotLeft, "MorphMethod_rbt2", 8, 32, 89, 17);
    MorphMethod_rbt2->SetCaption("Field warping");
    MorphMethod_rbt2->OnClick = methodClick;
    MorphPreview_btn =
        Make<TFlatSpeedButton>(this, PanelBotLeft, "MorphPreview_btn", 99, 4, 84, 25);
    SetBoldCaption(MorphPreview_btn, "Preview", clNavy);
    GiveHint(MorphPreview_btn, "Preview morphing|");
    MorphPreview_btn->OnClick = [this](TObject* sender) { MorphPreview_btnClick(sender); };
    MorphFinal_btn = Make<TFlatSpeedButton>(this, PanelBotLeft, "MorphFinal_btn", 99, 28, 84, 25);
    SetBoldCaption(MorphFinal_btn, "Morph it!", clGreen);
    GiveHint(MorphFinal_btn, "Perform final morphing|");
    MorphFinal_btn->OnClick = [this](TObject* sender) { MorphFinal_btnClick(sender); };
    StaticText7 = MakeText(this, PanelBotLeft, "StaticText7", 195, 10, "Frames:");
    Frames_ed = MakeSpin(this, PanelBotLeft, "Frames_ed", 243, 8, 54, 0, 100, 12);
    StaticText8 = MakeText(this, PanelBotLeft, "StaticText8", 195, 32, "Delay:");
    Delay_ed = MakeSpin(this, PanelBotLeft, "Delay_ed", 243, 32, 54, 0, 100, 10);

    // The three stacked panels: field, mesh and progress.
    PanBotRight = MakeAligned<TFlatPanel>(this, PanelBottom, "PanBotRight", alClient);
    PanelField = MakeStackedPanel(this, PanBotRight, "PanelField");
    StaticText1 = MakeText(this, PanelField, "StaticText1", 7, 5, "Max:");
    StaticText2 = MakeText(this, PanelField, "StaticText2", 7, 21, "Used:");
    StaticText3 = MakeText(this, PanelField, "StaticText3", 7, 37, "Free:");
    WField_lab1 = MakeCounter(this, PanelField, "WField_lab1", 5, "1000");
    WField_lab2 = MakeCounter(this, PanelField, "WField_lab2", 23, "0");
    WField_lab3 = MakeCounter(this, PanelField, "WField_lab3", 38, "1000");
    auto fieldClick = [this](TObject* sender) { WarpFieldClick(sender); };
    WarpFAdd_btn = Make<TFlatSpeedButton>(this, PanelField, "WarpFAdd_btn", 118, 3, 84, 25);
    WarpFAdd_btn->SetCaption("Add/move");
    WarpFAdd_btn->SetTag(0);
    WarpFAdd_btn->SetGroupIndex(12);
    WarpFAdd_btn->SetAllowAllUp(true);
    WarpFAdd_btn->SetDown(true);
    GiveHint(WarpFAdd_btn, "Toggle addition /movement");
    WarpFAdd_btn->OnClick = fieldClick;
    WarpFBreak_btn = Make<TFlatSpeedButton>(this, PanelField, "WarpFBreak_btn", 201, 3, 84, 25);
    SetBoldCaption(WarpFBreak_btn, "Line break", clNavy);
    WarpFBreak_btn->SetTag(1);
    GiveHint(WarpFBreak_btn, "Break line/polyline|");
    WarpFBreak_btn->OnClick = fieldClick;
    WarpFUndo_btn = Make<TFlatSpeedButton>(this, PanelField, "WarpFUndo_btn", 118, 27, 84, 25);
    SetBoldCaption(WarpFUndo_btn, "Undo last", clBlack);
    WarpFUndo_btn->SetTag(2);
    GiveHint(WarpFUndo_btn, "Undo last addition/break|");
    WarpFUndo_btn->OnClick = fieldClick;
    WarpFClear_btn = Make<TFlatSpeedButton>(this, PanelField, "WarpFClear_btn", 201, 27, 84, 25);
    SetBoldCaption(WarpFClear_btn, "Clear", clRed);
    WarpFClear_btn->SetTag(3);
    WarpFClear_btn->OnClick = fieldClick;

    PanelMesh = MakeStackedPanel(this, PanBotRight, "PanelMesh");
    StaticText6 = MakeText(this, PanelMesh, "StaticText6", 9, 11, "V:", true);
    WarpMesh_ed1 = MakeSpin(this, PanelMesh, "WarpMesh_ed1", 38, 8, 57, 1, 100, 10);
    StaticText5 = MakeText(this, PanelMesh, "StaticText5", 8, 35, "H:", true);
    WarpMesh_ed2 = MakeSpin(this, PanelMesh, "WarpMesh_ed2", 38, 32, 57, 1, 100, 10);
    WarpMeshG_btn = Make<TFlatSpeedButton>(this, PanelMesh, "WarpMeshG_btn", 107, 8, 84, 25);
    SetBoldCaption(WarpMeshG_btn, "New mesh", clRed);
    WarpMeshG_btn->OnClick = [this](TObject* sender) { WarpMeshG_btnClick(sender); };
    WarpMesh_rbt1 = Make<TFlatRadioButton>(this, PanelMesh, "WarpMesh_rbt1", 200, 8, 65, 17);
    WarpMesh_rbt1->SetCaption("Linear");
    WarpMesh_rbt1->SetChecked(true);
    WarpMesh_rbt2 = Make<TFlatRadioButton>(this, PanelMesh, "WarpMesh_rbt2", 200, 32, 81, 17);
    WarpMesh_rbt2->SetCaption("Catmull-Rom");

    PanelProgress = MakeStackedPanel(this, PanBotRight, "PanelProgress");
    ProgressBar = Make<TProgressBar>(this, PanelProgress, "ProgressBar", 14, 20, 270, 16);
    ProgressBar->SetMin(0);
    ProgressBar->SetMax(100);
    ProgressBar->SetStep(1);

    // The tool strips above the two views.
    auto viewClick = [this](TObject* sender) { VectCommonClick(sender); };
    struct Strip {
        TPanel* panel;
        const char* names[5];
        int tagBase;
        TFlatPanel** strip;
        TFlatSpeedButton **center, **zoomIn, **zoomOut;
    };
    for (const Strip& s : {Strip{PanelLeft,
                                 {"PanelTopLeft", "centerLeft", "zoominLeft", "zoomoutLeft"},
                                 10,
                                 &PanelTopLeft,
                                 &centerLeft,
                                 &zoominLeft,
                                 &zoomoutLeft},
                           Strip{PanelRight,
                                 {"PanelTopRight", "centerRight", "zoominRight", "zoomoutRight"},
                                 20,
                                 &PanelTopRight,
                                 &centerRight,
                                 &zoominRight,
                                 &zoomoutRight}}) {
        *s.strip = MakeAligned<TFlatPanel>(this, s.panel, s.names[0], alTop);
        (*s.strip)->SetHeight(41);
        const TBitmap glyphs[3] = {CenterGlyph(), ZoomInGlyph(), ZoomOutGlyph()};
        const char* hints[3] = {"Center image on/off|", "Zoom in|", "Zoom out|"};
        TFlatSpeedButton** buttons[3] = {s.center, s.zoomIn, s.zoomOut};
        for (int i = 0; i < 3; ++i) {
            auto* button =
                Make<TFlatSpeedButton>(this, *s.strip, s.names[i + 1], 4 + 24 * i, 8, 25, 25);
            button->SetGlyph(glyphs[i]);
            button->SetTag(s.tagBase + i);
            GiveHint(button, hints[i]);
            button->OnClick = viewClick;
            *buttons[i] = button;
        }
        (*s.center)->SetGroupIndex(s.tagBase / 10);
        (*s.center)->SetAllowAllUp(true);
    }
    MoveAll_chk = Make<TFlatCheckBox>(this, PanelTopLeft, "MoveAll_chk", 141, 12, 108, 17);
    MoveAll_chk->SetCaption("Move src. && dest. ");
    WarpOnly_lab = new TLabel(this);
    WarpOnly_lab->SetName("WarpOnly_lab");
    WarpOnly_lab->SetParent(PanelTopRight);
    WarpOnly_lab->SetBounds(142, 13, WarpOnly_lab->Width(), WarpOnly_lab->Height());
    TFont warningFont = WarpOnly_lab->Font();
    warningFont.Color = clRed;
    WarpOnly_lab->SetFont(warningFont);

    SetActiveControl(MorphMethod_rbt1);
}
