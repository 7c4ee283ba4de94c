#include "controls/Theme.hpp"

#include "graphics/Text.hpp"

#include <algorithm>

namespace theme {

TColor Accent() {
    return clHighlight;
}
TColor AccentDark() {
    return RGB(0x24, 0x5A, 0xB0);
}
TColor Edge() {
    return RGB(0xAD, 0xAD, 0xAD);
}
TColor HotFace() {
    return RGB(0xE5, 0xF1, 0xFB);
}
TColor DownFace() {
    return RGB(0xCC, 0xE4, 0xF7);
}
TColor FieldFace() {
    return clWindow;
}

namespace {

constexpr TColor kChannel = RGB(0xD2, 0xD2, 0xD2);
constexpr TColor kLoweredEdge = RGB(0xB4, 0xB4, 0xB4);
constexpr TColor kRaisedEdge = RGB(0xDC, 0xDC, 0xDC);
constexpr TColor kHintEdge = RGB(0x76, 0x76, 0x76);
constexpr int kHintPadX = 4, kHintPadY = 2;
constexpr int kButtonPad = 2; // pixels kept free between a button's frame and its caption

// Puts back the face colour on the four corner pixels, which softens a frame into a rounded one.
void SoftenCorners(TCanvas& canvas, const TRect& r, TColor face) {
    if (r.Width() < 4 || r.Height() < 4)
        return;
    canvas.SetPixels(r.Left, r.Top, face);
    canvas.SetPixels(r.Right - 1, r.Top, face);
    canvas.SetPixels(r.Left, r.Bottom - 1, face);
    canvas.SetPixels(r.Right - 1, r.Bottom - 1, face);
}

} // namespace

std::string DisplayText(const std::string& caption) {
    std::string out;
    out.reserve(caption.size());
    for (size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == '&') {
            if (i + 1 < caption.size() && caption[i + 1] == '&')
                out += '&', ++i;
            continue;
        }
        out += caption[i];
    }
    return out;
}

TPoint TextSize(const TFont& font, const std::string& caption) {
    std::string text = DisplayText(caption);
    return {text_render::TextWidth(font, text), text_render::CellHeight(font)};
}

TFont FitFont(const TFont& font, const std::string& caption, int width) {
    std::string text = DisplayText(caption);
    text.erase(text.find_last_not_of(' ') + 1); // trailing blanks show nothing
    TFont fitted = font;
    // Only pixel heights (negative) are stepped; the face is the one the platform renders.
    while (fitted.Height < -kSmallestFitHeight && text_render::TextWidth(fitted, text) > width)
        ++fitted.Height;
    return fitted;
}

void DrawCaption(TCanvas& canvas, const TRect& r, const std::string& caption, const TFont& font,
                 TAlignment alignment, bool enabled, bool shrinkToFit) {
    std::string text = DisplayText(caption);
    if (text.empty())
        return;
    canvas.Font = shrinkToFit ? FitFont(font, caption, r.Width()) : font;
    if (!enabled)
        canvas.Font.Color = clGrayText;
    int w = canvas.TextWidth(text), h = canvas.TextHeight(text);
    int x = r.Left;
    if (alignment == taRightJustify)
        x = r.Right - w;
    else if (alignment == taCenter)
        x = r.Left + (r.Width() - w) / 2;
    canvas.Brush.Style = bsClear;
    canvas.TextRect(r, x, r.Top + (r.Height() - h) / 2, text);
    canvas.Brush.Style = bsSolid;
}

void Fill(TCanvas& canvas, const TRect& r, TColor color) {
    canvas.Brush.Style = bsSolid;
    canvas.Brush.Color = color;
    canvas.FillRect(r);
}

void Frame(TCanvas& canvas, const TRect& r, TColor color) {
    canvas.Brush.Style = bsSolid;
    canvas.Brush.Color = color;
    canvas.FrameRect(r);
}

int BevelSize(TBevelCut cut, int width) {
    return cut == bvNone ? 0 : std::max(1, width);
}

TRect DrawBevel(TCanvas& canvas, const TRect& r, TBevelCut cut, int width) {
    TRect inner = r;
    for (int i = 0; i < BevelSize(cut, width); ++i) {
        Frame(canvas, inner, cut == bvLowered ? kLoweredEdge : kRaisedEdge);
        inner = {inner.Left + 1, inner.Top + 1, inner.Right - 1, inner.Bottom - 1};
    }
    return inner;
}

void FillArrow(TCanvas& canvas, const TRect& r, TArrow direction, TColor color) {
    bool horizontal = direction == TArrow::Left || direction == TArrow::Right;
    int across = horizontal ? r.Height() : r.Width();
    int along = horizontal ? r.Width() : r.Height();
    int base = std::min(across, 2 * along - 1);
    if (base % 2 == 0)
        --base;
    if (base < 1)
        return;
    int half = base / 2;
    // Step i runs from the base (i = 0, full width) to the tip (i = half, one pixel).
    int first = (along - (half + 1)) / 2;
    int centre = (across - 1) / 2;
    canvas.Brush.Style = bsSolid;
    canvas.Brush.Color = color;
    for (int i = 0; i <= half; ++i) {
        bool towardsStart = direction == TArrow::Left || direction == TArrow::Up;
        int pos = towardsStart ? first + half - i : first + i;
        int lo = centre - (half - i), hi = centre + (half - i) + 1;
        if (horizontal)
            canvas.FillRect({r.Left + pos, r.Top + lo, r.Left + pos + 1, r.Top + hi});
        else
            canvas.FillRect({r.Left + lo, r.Top + pos, r.Left + hi, r.Top + pos + 1});
    }
}

void DrawButtonFace(TCanvas& canvas, const TRect& r, const TPressState& state, TButtonFrame frame,
                    TColor face) {
    if (state.enabled && (state.pressed || state.down)) {
        Fill(canvas, r, DownFace());
        Frame(canvas, r, Accent());
    } else if (state.enabled && state.hot) {
        Fill(canvas, r, HotFace());
        Frame(canvas, r, Accent());
    } else {
        Fill(canvas, r, face);
        if (frame == TButtonFrame::Always)
            Frame(canvas, r, Edge());
        else
            return;
    }
    SoftenCorners(canvas, r, face);
}

void DrawGlyph(TCanvas& canvas, int x, int y, const TBitmap& glyph, bool enabled) {
    if (glyph.Empty())
        return;
    TColor key = glyph.Pixel(0, glyph.Height() - 1);
    if (enabled) {
        canvas.DrawTransparent(x, y, glyph, key);
        return;
    }
    for (int j = 0; j < glyph.Height(); ++j)
        for (int i = 0; i < glyph.Width(); ++i)
            if (glyph.Pixel(i, j) != key)
                canvas.SetPixels(x + i, y + j, clBtnShadow);
}

void DrawButtonContent(TCanvas& canvas, const TRect& r, const TBitmap* glyph,
                       const std::string& caption, const TFont& font, const TPressState& state,
                       int spacing) {
    bool hasGlyph = glyph && !glyph->Empty();
    int gw = hasGlyph ? glyph->Width() : 0;
    int gap = hasGlyph && !DisplayText(caption).empty() ? spacing : 0;
    TFont fitted = FitFont(font, caption, r.Width() - gw - gap - 2 * kButtonPad);
    TPoint text = TextSize(fitted, caption);
    int x = r.Left + (r.Width() - (gw + gap + text.x)) / 2;
    if (hasGlyph)
        DrawGlyph(canvas, x, r.Top + (r.Height() - glyph->Height()) / 2, *glyph, state.enabled);
    if (text.x > 0)
        DrawCaption(canvas, {x + gw + gap, r.Top, x + gw + gap + text.x, r.Bottom}, caption, fitted,
                    taLeftJustify, state.enabled);
}

void DrawCheckBox(TCanvas& canvas, const TRect& box, bool checked, const TPressState& state) {
    TColor edge = !state.enabled ? clBtnShadow : state.focused || state.hot ? Accent() : Edge();
    if (checked) {
        Fill(canvas, box, state.enabled ? Accent() : clBtnShadow);
        Frame(canvas, box, state.enabled ? AccentDark() : clBtnShadow);
        canvas.Pen = TPen{};
        canvas.Pen.Color = clWhite;
        for (int dy = 0; dy < 2; ++dy) {
            TPoint mark[] = {{box.Left + 3, box.Top + 5 + dy},
                             {box.Left + 5, box.Top + 7 + dy},
                             {box.Left + 10, box.Top + 2 + dy}};
            canvas.Polyline(mark);
        }
    } else {
        Fill(canvas, box, state.enabled ? FieldFace() : clBtnFace);
        Frame(canvas, box, edge);
    }
}

void DrawRadio(TCanvas& canvas, const TRect& box, bool checked, const TPressState& state) {
    TColor edge = !state.enabled                          ? clBtnShadow
                  : checked || state.focused || state.hot ? Accent()
                                                          : Edge();
    canvas.Pen = TPen{};
    canvas.Pen.Color = edge;
    canvas.Brush.Style = bsSolid;
    canvas.Brush.Color = state.enabled ? FieldFace() : clBtnFace;
    canvas.Ellipse(box);
    if (checked) {
        TColor dot = state.enabled ? Accent() : clBtnShadow;
        canvas.Pen.Color = dot;
        canvas.Brush.Color = dot;
        canvas.Ellipse(box.Left + 3, box.Top + 3, box.Right - 3, box.Bottom - 3);
    }
}

void DrawField(TCanvas& canvas, const TRect& r, const TPressState& state) {
    Fill(canvas, r, state.enabled ? FieldFace() : clBtnFace);
    Frame(canvas, r, state.focused ? Accent() : state.hot ? AccentDark() : Edge());
}

void DrawSpinButton(TCanvas& canvas, const TRect& r, bool up, const TPressState& state) {
    TColor face = !state.enabled  ? clBtnFace
                  : state.pressed ? DownFace()
                  : state.hot     ? HotFace()
                                  : clBtnFace;
    Fill(canvas, r, face);
    TRect arrow{r.Left + 3, r.Top + 2, r.Right - 3, r.Bottom - 2};
    FillArrow(canvas, arrow, up ? TArrow::Up : TArrow::Down,
              state.enabled ? clBtnText : clGrayText);
}

void DrawTrackChannel(TCanvas& canvas, const TRect& channel, const TRect& selection) {
    Fill(canvas, channel, kChannel);
    if (!selection.IsEmpty())
        Fill(canvas,
             selection.Intersect({selection.Left, channel.Top, selection.Right, channel.Bottom}),
             Accent());
}

void DrawTrackThumb(TCanvas& canvas, const TRect& thumb, const TPressState& state) {
    TColor face = !state.enabled               ? clBtnShadow
                  : state.pressed || state.hot ? AccentDark()
                                               : Accent();
    Fill(canvas, thumb, face);
    Frame(canvas, thumb, state.focused ? clBtnText : AccentDark());
}

void DrawTick(TCanvas& canvas, int x, int y, int length) {
    Fill(canvas, {x, y, x + 1, y + length}, clBtnShadow);
}

void DrawProgress(TCanvas& canvas, const TRect& r, int filled) {
    Fill(canvas, r, FieldFace());
    Frame(canvas, r, Edge());
    TRect inside{r.Left + kProgressFrame, r.Top + kProgressFrame, r.Right - kProgressFrame,
                 r.Bottom - kProgressFrame};
    filled = std::clamp(filled, 0, std::max(0, inside.Width()));
    Fill(canvas, {inside.Left, inside.Top, inside.Left + filled, inside.Bottom}, Accent());
}

void DrawSplitter(TCanvas& canvas, const TRect& r, TColor face, bool beveled) {
    Fill(canvas, r, face);
    if (!beveled)
        return;
    // A grip of three dots across the middle of the bar.
    bool vertical = r.Height() >= r.Width();
    int cx = r.Left + r.Width() / 2, cy = r.Top + r.Height() / 2;
    for (int i = -1; i <= 1; ++i) {
        int x = vertical ? cx - 1 : cx - 1 + 5 * i;
        int y = vertical ? cy - 1 + 5 * i : cy - 1;
        Fill(canvas, {x, y, x + 2, y + 2}, clBtnShadow);
    }
}

TPoint HintSize(const TFont& font, const std::string& text) {
    TPoint t = {text_render::TextWidth(font, text), text_render::CellHeight(font)};
    return {t.x + 2 * kHintPadX + 2, t.y + 2 * kHintPadY + 2};
}

void DrawHint(TCanvas& canvas, const TRect& r, const std::string& text, const TFont& font) {
    Fill(canvas, r, clInfoBk);
    Frame(canvas, r, kHintEdge);
    canvas.Font = font;
    canvas.Font.Color = clInfoText;
    canvas.Brush.Style = bsClear;
    canvas.TextRect(r, r.Left + 1 + kHintPadX, r.Top + 1 + kHintPadY, text);
    canvas.Brush.Style = bsSolid;
}

} // namespace theme
