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
    MeshMethodRadio = Make<TFlatRadioButton>(this, PanelBotLeft, "MorphMethod_rbt1", 8, 8, 81, 17);
    MeshMethodRadio->SetCaption("Mesh 2-pass");
    MeshMethodRadio->SetChecked(true);
    MeshMethodRadio->OnClick = methodClick;
    FieldMethodRadio =
        Make<TFlatRadioButton>(this, PanelBotLeft, "MorphMethod_rbt2", 8, 32, 89, 17);
    FieldMethodRadio->SetCaption("Field warping");
    FieldMethodRadio->OnClick = methodClick;
    PreviewButton = Make<TFlatSpeedButton>(this, PanelBotLeft, "MorphPreview_btn", 99, 4, 84, 25);
    SetBoldCaption(PreviewButton, "Preview", clNavy);
    GiveHint(PreviewButton, "Preview morphing|");
    PreviewButton->OnClick = [this](TObject* sender) { MorphPreview_btnClick(sender); };
    MorphItButton = Make<TFlatSpeedButton>(this, PanelBotLeft, "MorphFinal_btn", 99, 28, 84, 25);
    SetBoldCaption(MorphItButton, "Morph it!", clGreen);
    GiveHint(MorphItButton, "Perform final morphing|");
    MorphItButton->OnClick = [this](TObject* sender) { MorphFinal_btnClick(sender); };
    FramesText = MakeText(this, PanelBotLeft, "StaticText7", 195, 10, "Frames:");
    FramesEdit = MakeSpin(this, PanelBotLeft, "Frames_ed", 243, 8, 54, 0, 100, 12);
    DelayText = MakeText(this, PanelBotLeft, "StaticText8", 195, 32, "Delay:");
    DelayEdit = MakeSpin(this, PanelBotLeft, "Delay_ed", 243, 32, 54, 0, 100, 10);

    // The three stacked panels: field, mesh and progress.
    PanBotRight = MakeAligned<TFlatPanel>(this, PanelBottom, "PanBotRight", alClient);
    PanelField = MakeStackedPanel(this, PanBotRight, "PanelField");
    FieldMaxText = MakeText(this, PanelField, "StaticText1", 7, 5, "Max:");
    FieldUsedText = MakeText(this, PanelField, "StaticText2", 7, 21, "Used:");
    FieldFreeText = MakeText(this, PanelField, "StaticText3", 7, 37, "Free:");
    FieldMaxLabel = MakeCounter(this, PanelField, "WField_lab1", 5, "1000");
    FieldUsedLabel = MakeCounter(this, PanelField, "WField_lab2", 23, "0");
    FieldFreeLabel = MakeCounter(this, PanelField, "WField_lab3", 38, "1000");
    auto fieldClick = [this](TObject* sender) { WarpFieldClick(sender); };
    AddMoveButton = Make<TFlatSpeedButton>(this, PanelField, "WarpFAdd_btn", 118, 3, 84, 25);
    AddMoveButton->SetCaption("Add/move");
    AddMoveButton->SetTag(0);
    AddMoveButton->SetGroupIndex(12);
    AddMoveButton->SetAllowAllUp(true);
    AddMoveButton->SetDown(true);
    GiveHint(AddMoveButton, "Toggle addition /movement");
    AddMoveButton->OnClick = fieldClick;
    LineBreakButton = Make<TFlatSpeedButton>(this, PanelField, "WarpFBreak_btn", 201, 3, 84, 25);
    SetBoldCaption(LineBreakButton, "Line break", clNavy);
    LineBreakButton->SetTag(1);
    GiveHint(LineBreakButton, "Break line/polyline|");
    LineBreakButton->OnClick = fieldClick;
    UndoLastButton = Make<TFlatSpeedButton>(this, PanelField, "WarpFUndo_btn", 118, 27, 84, 25);
    SetBoldCaption(UndoLastButton, "Undo last", clBlack);
    UndoLastButton->SetTag(2);
    GiveHint(UndoLastButton, "Undo last addition/break|");
    UndoLastButton->OnClick = fieldClick;
    ClearButton = Make<TFlatSpeedButton>(this, PanelField, "WarpFClear_btn", 201, 27, 84, 25);
    SetBoldCaption(ClearButton, "Clear", clRed);
    ClearButton->SetTag(3);
    ClearButton->OnClick = fieldClick;

    PanelMesh = MakeStackedPanel(this, PanBotRight, "PanelMesh");
    MeshColumnsText = MakeText(this, PanelMesh, "StaticText6", 9, 11, "V:", true);
    MeshColumnsEdit = MakeSpin(this, PanelMesh, "WarpMesh_ed1", 38, 8, 57, 1, 100, 10);
    MeshRowsText = MakeText(this, PanelMesh, "StaticText5", 8, 35, "H:", true);
    MeshRowsEdit = MakeSpin(this, PanelMesh, "WarpMesh_ed2", 38, 32, 57, 1, 100, 10);
    NewMeshButton = Make<TFlatSpeedButton>(this, PanelMesh, "WarpMeshG_btn", 107, 8, 84, 25);
    SetBoldCaption(NewMeshButton, "New mesh", clRed);
    NewMeshButton->OnClick = [this](TObject* sender) { WarpMeshG_btnClick(sender); };
    LinearRadio = Make<TFlatRadioButton>(this, PanelMesh, "WarpMesh_rbt1", 200, 8, 65, 17);
    LinearRadio->SetCaption("Linear");
    LinearRadio->SetChecked(true);
    CatmullRomRadio = Make<TFlatRadioButton>(this, PanelMesh, "WarpMesh_rbt2", 200, 32, 81, 17);
    CatmullRomRadio->SetCaption("Catmull-Rom");
    // Settings a geometry file keeps.
    auto settingChanged = [this](TObject*) { GeometryChanged(); };
    LinearRadio->OnClick = settingChanged;
    CatmullRomRadio->OnClick = settingChanged;
    FramesEdit->OnChange = settingChanged;
    DelayEdit->OnChange = settingChanged;

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
                                 &LeftCenterButton,
                                 &LeftZoomInButton,
                                 &LeftZoomOutButton},
                           Strip{PanelRight,
                                 {"PanelTopRight", "centerRight", "zoominRight", "zoomoutRight"},
                                 20,
                                 &PanelTopRight,
                                 &RightCenterButton,
                                 &RightZoomInButton,
                                 &RightZoomOutButton}}) {
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
    MoveBothCheck = Make<TFlatCheckBox>(this, PanelTopLeft, "MoveAll_chk", 141, 12, 108, 17);
    MoveBothCheck->SetCaption("Move src. && dest. ");
    MoveBothCheck->OnClick = [this](TObject*) { GeometryChanged(); };
    WarpOnlyLabel = new TLabel(this);
    WarpOnlyLabel->SetName("WarpOnly_lab");
    WarpOnlyLabel->SetParent(PanelTopRight);
    WarpOnlyLabel->SetBounds(142, 13, WarpOnlyLabel->Width(), WarpOnlyLabel->Height());
    TFont warningFont = WarpOnlyLabel->Font();
    warningFont.Color = clRed;
    WarpOnlyLabel->SetFont(warningFont);

    SetActiveControl(MeshMethodRadio);
}
