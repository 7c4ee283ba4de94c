// TCanvas: pen, brush and font drawing on a TBitmap, with an origin and a clip region.
//
// All coordinates given to drawing calls are logical: logical (0, 0) is bitmap pixel Origin().
// Every primitive honours the clip region and never writes outside the bitmap, whatever the
// coordinates. Colours are resolved through ColorToRGB when drawing. All three pixel formats are
// drawn on; on a 1-bit bitmap each resulting colour is reduced to black or white by luminance.
// Use from one thread at a time (the text renderer keeps a shared font cache).
#pragma once

#include "graphics/Bitmap.hpp"
#include "graphics/Color.hpp"
#include "graphics/Types.hpp"

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

// Line pattern of the pen (patterns apply to one-pixel pens; wider pens draw solid).
enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
// How the pen combines with the pixels under it.
enum TPenMode { pmCopy, pmNot, pmXor };
// Whether the brush fills.
enum TBrushStyle { bsSolid, bsClear };

// Draws lines and outlines.
struct TPen {
    TColor Color = clBlack;    // colour for pmCopy and pmXor
    TPenStyle Style = psSolid; // pattern
    int Width = 1;             // square pen size in pixels; values below 1 count as 1
    TPenMode Mode = pmCopy;    // raster operation
};

// Fills areas and text backgrounds.
struct TBrush {
    TColor Color = clWhite;      // fill colour
    TBrushStyle Style = bsSolid; // bsClear fills nothing
};

// Text face; every name maps to DejaVu Sans (Bold to DejaVu Sans Bold).
struct TFont {
    std::string Name = "Tahoma"; // face name (informational)
    int Height = -11;            // negative: character pixel height; positive: cell height
    bool Bold = false;           // bold face
    TColor Color = clWindowText; // text colour
};

// Draws on one bitmap; the bitmap must outlive the canvas.
class TCanvas {
public:
    // A canvas on target with origin (0, 0) and the whole bitmap as clip.
    explicit TCanvas(TBitmap& target);
    TCanvas(const TCanvas&) = delete;            // a canvas belongs to one bitmap
    TCanvas& operator=(const TCanvas&) = delete; // a canvas belongs to one bitmap

    TPen Pen;     // pen for lines and outlines
    TBrush Brush; // brush for fills and text backgrounds
    TFont Font;   // font for text

    // The bitmap drawn on.
    TBitmap& Bitmap() { return target_; }
    // Current pen position (logical).
    TPoint PenPos() const { return penPos_; }
    // Moves the pen without drawing.
    void SetPenPos(TPoint p) { penPos_ = p; }
    // Moves the pen to (x, y) without drawing.
    void MoveTo(int x, int y) { penPos_ = {x, y}; }
    // Draws from the pen position to (x, y), leaving out the end pixel, and moves the pen there.
    void LineTo(int x, int y);
    // Draws connected lines through the points (the last end pixel left out); pen stays put.
    void Polyline(std::span<const TPoint> points);
    // Outline with the pen over x1..x2-1, y1..y2-1 and the inside with the brush.
    void Rectangle(int x1, int y1, int x2, int y2);
    // Rectangle over r.
    void Rectangle(const TRect& r) { Rectangle(r.Left, r.Top, r.Right, r.Bottom); }
    // Ellipse inscribed in the box of Rectangle: outline with the pen, inside with the brush.
    void Ellipse(int x1, int y1, int x2, int y2);
    // Ellipse inscribed in r.
    void Ellipse(const TRect& r) { Ellipse(r.Left, r.Top, r.Right, r.Bottom); }
    // Fills r with the brush colour (nothing for bsClear or an empty r).
    void FillRect(const TRect& r);
    // Draws a one-pixel frame along the inside of r in the brush colour (nothing for bsClear).
    void FrameRect(const TRect& r);

    // Draws UTF-8 text with its cell's top-left at (x, y); the cell is filled with the brush
    // unless bsClear. Moves the pen to (x + TextWidth(text), y).
    void TextOut(int x, int y, const std::string& text);
    // Like TextOut but clipped to r; with a solid brush the whole of r is filled first.
    void TextRect(const TRect& r, int x, int y, const std::string& text);
    // Advance width of the text in pixels (an estimate when no font file can be loaded).
    int TextWidth(const std::string& text) const;
    // Cell height of the font in pixels.
    int TextHeight(const std::string& text) const;

    // Copies src with its top-left at (x, y).
    void Draw(int x, int y, const TBitmap& src);
    // Like Draw, but source pixels equal to key are skipped.
    void DrawTransparent(int x, int y, const TBitmap& src, TColor key);
    // Scales all of src into dst by nearest neighbour: pixels are dropped or repeated.
    void StretchDraw(const TRect& dst, const TBitmap& src);
    // Scales srcRect of src into dst by nearest neighbour; parts outside src are not drawn.
    void CopyRect(const TRect& dst, const TBitmap& src, const TRect& srcRect);

    // Colour at (x, y); clNone outside the bitmap or the clip region.
    TColor Pixels(int x, int y) const;
    // Sets the pixel at (x, y) if it lies inside the clip region.
    void SetPixels(int x, int y, TColor color);

    // Makes logical (0, 0) land on bitmap pixel (dx, dy).
    void SetOrigin(int dx, int dy) { origin_ = {dx, dy}; }
    // Bitmap pixel of logical (0, 0).
    TPoint Origin() const { return origin_; }
    // Restricts drawing to r in bitmap coordinates (within the bitmap); drops exclusions.
    void SetClipRect(const TRect& r);
    // Allows drawing on the whole bitmap again; drops exclusions.
    void ResetClip();
    // Removes r (logical coordinates) from the clip region until the clip is reset or set.
    void ExcludeClipRect(const TRect& r);
    // Bounding rectangle of the clip in logical coordinates (exclusions not subtracted).
    TRect ClipRect() const;

private:
    // A rectangle in bitmap coordinates, wide enough for any logical coordinate plus origin.
    struct Box {
        int64_t Left, Top, Right, Bottom;
    };
    // Receives one run of visible pixels [first, last] of a row.
    using RunFunction = std::function<void(int first, int last)>;

    // The clip rectangle intersected with the bitmap, in bitmap coordinates.
    Box ClipBox() const;
    // A logical rectangle in bitmap coordinates.
    Box ToBitmap(int64_t left, int64_t top, int64_t right, int64_t bottom) const;
    // True when bitmap pixel (x, y) may be drawn.
    bool Visible(int64_t x, int64_t y) const;
    // Calls run for each drawable stretch of bitmap row y between columns x0 and x1 inclusive.
    void VisibleRuns(int64_t y, int64_t x0, int64_t x1, const RunFunction& run) const;
    // Paints the drawable part of row y, columns x0..x1, combining rgb by mode.
    void PaintSpan(int64_t y, int64_t x0, int64_t x1, uint32_t rgb, TPenMode mode);
    // Fills the drawable part of box (bitmap coordinates, exclusive edges) with rgb.
    void PaintBox(const Box& box, uint32_t rgb);
    // Draws one pen segment between logical points; returns the pattern phase after it.
    int64_t Segment(TPoint from, TPoint to, int64_t phase);
    // One-pixel line in bitmap coordinates with the pen's pattern from phase; returns the new
    // phase.
    int64_t ThinLine(int64_t x0, int64_t y0, int64_t x1, int64_t y1, int64_t phase);
    // Solid square-pen line of the given width in bitmap coordinates.
    void ThickLine(int64_t x0, int64_t y0, int64_t x1, int64_t y1, int width);
    // Rectangle or ellipse over a normalised bitmap box: pen outline, brush inside.
    void Shape(const Box& box, bool ellipse);
    // Blends the text's coverage at bitmap (x, y) in the font colour, inside limit and the clip.
    void BlendText(int64_t x, int64_t y, const std::string& text, const Box& limit);
    // Nearest-neighbour copy of srcRect of src into dst; with keyed, pixels equal to key skip.
    void Blit(const Box& dst, const TBitmap& src, const TRect& srcRect, bool keyed, uint32_t key);

    TBitmap& target_;           // the bitmap drawn on
    TPoint penPos_{0, 0};       // logical pen position
    TPoint origin_{0, 0};       // bitmap pixel of logical (0, 0)
    bool clipSet_ = false;      // false: the whole bitmap is the clip
    TRect clip_{};              // clip in bitmap coordinates when clipSet_
    std::vector<Box> excluded_; // excluded rectangles in bitmap coordinates
};
