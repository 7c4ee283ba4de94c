// The one drawer behind every standard and flat-look control. A control hands it a canvas, a
// rectangle, its state flags and its own state; the look (flat, light, one calm accent colour)
// is decided here and nowhere else.
#pragma once

#include "graphics/Bitmap.hpp"
#include "graphics/Canvas.hpp"

#include <string>

// Edges of a panel.
enum TBevelCut { bvNone, bvLowered, bvRaised };
// Horizontal placement of a caption.
enum TAlignment { taLeftJustify, taRightJustify, taCenter };
// Direction of an arrow.
enum class TArrow { Left, Right, Up, Down };

namespace theme {

// How a pressable element looks right now.
struct TPressState {
    bool enabled = true;  // takes input
    bool hot = false;     // the pointer is over it
    bool pressed = false; // held down by the mouse
    bool down = false;    // latched down (a toggle)
    bool focused = false; // has the keyboard focus
};

// When a button draws its frame: only while hot or down (tool-bar buttons), or always.
enum class TButtonFrame { WhenHot, Always };

// Colours of the look.
TColor Accent();     // selection, checked marks, slider thumbs, progress
TColor AccentDark(); // edge of accent-filled parts and of focused fields
TColor Edge();       // thin frames of fields, boxes and buttons
TColor HotFace();    // face of a button under the pointer
TColor DownFace();   // face of a pressed or latched button
TColor FieldFace();  // inside of edit fields and check boxes

// The caption as shown: "&&" shows as "&", a single "&" (an accelerator mark) is dropped.
std::string DisplayText(const std::string& caption);
// Size of a caption's text cell in the font.
TPoint TextSize(const TFont& font, const std::string& caption);
// Draws a caption in r with the given alignment, centred vertically, greyed when disabled.
// With shrinkToFit a caption wider than r is drawn a few pixels smaller, down to
// kSmallestFitHeight, rather than cut off.
void DrawCaption(TCanvas& canvas, const TRect& r, const std::string& caption, const TFont& font,
                 TAlignment alignment, bool enabled = true, bool shrinkToFit = false);
// The font a caption is drawn with when it has to fit into width pixels.
TFont FitFont(const TFont& font, const std::string& caption, int width);
constexpr int kSmallestFitHeight = 9;

// Fills r with a colour.
void Fill(TCanvas& canvas, const TRect& r, TColor color);
// One-pixel frame along the inside of r.
void Frame(TCanvas& canvas, const TRect& r, TColor color);
// A panel edge of the given cut, width pixels thick, along the inside of r; returns r shrunk by
// it.
TRect DrawBevel(TCanvas& canvas, const TRect& r, TBevelCut cut, int width);
// Pixels a bevel of this cut takes from each side.
int BevelSize(TBevelCut cut, int width);
// A solid triangle pointing in a direction, as large as fits centred in r.
void FillArrow(TCanvas& canvas, const TRect& r, TArrow direction, TColor color);

// A push button's face and frame.
void DrawButtonFace(TCanvas& canvas, const TRect& r, const TPressState& state, TButtonFrame frame,
                    TColor face);
// A glyph (its bottom-left pixel's colour is transparent) and a caption side by side, centred.
void DrawButtonContent(TCanvas& canvas, const TRect& r, const TBitmap* glyph,
                       const std::string& caption, const TFont& font, const TPressState& state,
                       int spacing);
// A glyph with its bottom-left pixel's colour left out; greyed when disabled.
void DrawGlyph(TCanvas& canvas, int x, int y, const TBitmap& glyph, bool enabled);

// The square of a check box, with its mark when checked.
void DrawCheckBox(TCanvas& canvas, const TRect& box, bool checked, const TPressState& state);
// The circle of a radio button, with its dot when checked.
void DrawRadio(TCanvas& canvas, const TRect& box, bool checked, const TPressState& state);
// Side of the square or circle of check boxes and radio buttons.
constexpr int kMarkSize = 13;

// The field of an edit: fill and frame, accented while focused.
void DrawField(TCanvas& canvas, const TRect& r, const TPressState& state);
// One of a spin edit's two step buttons.
void DrawSpinButton(TCanvas& canvas, const TRect& r, bool up, const TPressState& state);

// The channel of a slider; selection (empty for none) is shown as a band on it.
void DrawTrackChannel(TCanvas& canvas, const TRect& channel, const TRect& selection);
// The thumb of a slider.
void DrawTrackThumb(TCanvas& canvas, const TRect& thumb, const TPressState& state);
// One tick mark of a slider.
void DrawTick(TCanvas& canvas, int x, int y, int length);

// A progress bar with filled pixels of its inside filled in the accent colour.
void DrawProgress(TCanvas& canvas, const TRect& r, int filled);
// Pixels a progress bar's frame takes from each side.
constexpr int kProgressFrame = 1;

// A splitter's bar, with a grip in the middle when bevelled.
void DrawSplitter(TCanvas& canvas, const TRect& r, TColor face, bool beveled);

// A tool tip: its box and its text.
void DrawHint(TCanvas& canvas, const TRect& r, const std::string& text, const TFont& font);
// Size of the tool tip box for a text.
TPoint HintSize(const TFont& font, const std::string& text);

} // namespace theme
