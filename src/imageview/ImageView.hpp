// TImageView: one bitmap shown zoomed by a percentage, scrolled and optionally
// centred, with conversion between client and bitmap positions. The picture is
// composed into a back buffer of client size, so exposing the window only
// copies pixels.
#pragma once

#include "ViewBase.hpp"

#include <functional>

class TScrollBar;

// Which scroll bars a view may show.
enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };

// Raised when the view scrolls (change 0) or zooms (change 1).
using TViewChangeEvent = std::function<void(TObject* sender, int change)>;

class TImageView : public TViewBase {
public:
    explicit TImageView(TComponent* owner);
    ~TImageView() override;

    // 24- and 1-bit bitmaps are copied exactly, others converted to 24 bits; another
    // image view gives its bitmap, background and resolution; null clears; the rest is ignored.
    using TViewBase::Assign;
    void Assign(const TBitmap* source) override;
    void Assign(const TObject* source) override;
    // Recomputes the layout, marks the back buffer dirty and invalidates.
    void Update() override;
    // Copies the back buffer to the window, recomposing it first when dirty.
    void Paint() override;
    void SetBackGround(TColor colour) override;
    TBitmap* GetFBitmap() override { return &bitmap_; }

    // Which scroll bars the view may show; excluded ones are hidden at once.
    virtual void SetScrollBars(TScrollStyle style);
    TScrollStyle ScrollBars() const { return scrollBars_; }
    // The view's own mouse tools are not part of this system: this does nothing.
    virtual void SetMouseInteract(int tools) { (void)tools; }
    // Raises OnViewChange(change).
    virtual void ViewChange(int change);
    // Scrolling while dragging a mouse tool is not part of this system.
    virtual void SubMouseMoveScroll(int x, int y) {
        (void)x;
        (void)y;
    }
    // The size the image is laid out in: the client area less the shown scroll bars,
    // or 50 while the view has no parent.
    virtual int GetClientWidth() const;
    virtual int GetClientHeight() const;
    virtual bool HasParentWindow() const { return Parent() != nullptr; }
    // Composes background and image (and a subclass's overlay) into buffer.
    virtual void PaintToEx(TBitmap& buffer);
    // Selection tools are not part of this system: these do nothing.
    virtual void Select(int x, int y) {
        (void)x;
        (void)y;
    }
    virtual void AddSelPoint(int x, int y) {
        (void)x;
        (void)y;
    }
    virtual void EndSelect() {}
    // Draws the composed picture with its top-left at (x, y) of canvas.
    virtual void PaintTo(TCanvas& canvas, int x, int y);

    // Display scale in percent; z <= 0 and the current value are ignored. Keeps the bitmap
    // point under the client centre and repaints at once.
    void SetZoom(double z);
    double Zoom() const { return zoom_; }
    double ZoomFactor() const { return zoomFactor_; }
    double InverseZoom() const { return inverseZoom_; }
    // Scroll position in display pixels, clamped to 0..limit; repaints at once.
    void SetViewX(int x);
    void SetViewY(int y);
    int ViewX() const { return viewX_; }
    int ViewY() const { return viewY_; }
    // Centres an image smaller than the client area.
    void SetCenter(bool on);
    bool Center() const { return center_; }

    // Client position to bitmap column/row and back; no clamping.
    int XScr2Bmp(int x) const;
    int YScr2Bmp(int y) const;
    int XBmp2Scr(int x) const;
    int YBmp2Scr(int y) const;

    // Fills the whole bitmap with Background.
    void Clear();
    // Makes the bitmap 1 x 1 and clears it: the view then shows only its background.
    void Blank();

    // Layout of the last Update.
    int ExtentWidth() const { return extentWidth_; }
    int ExtentHeight() const { return extentHeight_; }
    int OffsetX() const { return offsetX_; }
    int OffsetY() const { return offsetY_; }
    int VisibleWidth() const { return visibleWidth_; }
    int VisibleHeight() const { return visibleHeight_; }
    // Coefficients of the last composition.
    int SourceX() const { return sourceX_; }
    int SourceY() const { return sourceY_; }
    int SourceWidth() const { return sourceWidth_; }
    int SourceHeight() const { return sourceHeight_; }
    int TargetWidth() const { return targetWidth_; }
    int TargetHeight() const { return targetHeight_; }
    // Scroll limits for the current zoom and client size.
    void GetMaxViewXY(int& maxX, int& maxY) const;
    // The scroll bars (null until first shown) and the back buffer, for inspection.
    TScrollBar* HorzScrollBar() const { return hScroll_; }
    TScrollBar* VertScrollBar() const { return vScroll_; }
    const TBitmap& BackBuffer() const { return buffer_; }

    TViewChangeEvent OnViewChange;

    // Mouse events raise OnMouse... with client positions before the view's own handling.
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    // Zooms by about 8 % per notch once the view has the focus.
    void MouseWheel(TShiftState shift, int delta, int x, int y) override;

protected:
    void Resized() override { Update(); }
    // Computes the Source/Target coefficients for the current layout.
    void CalcPaintCoef();

private:
    // Shows, hides and sets up the scroll bars; true when the client size changed.
    bool LayoutScrollBars(int maxX, int maxY);
    void PlaceScrollBars();
    bool BarShown(const TScrollBar* bar) const;
    TScrollBar* EnsureScrollBar(bool horizontal);
    void ScrollBarScrolled(bool horizontal, int code, int& pos);
    // Client position of a point given relative to the control's outer corner.
    TPoint ToClient(int x, int y) const;
    void MaxViewXY(int clientW, int clientH, int& maxX, int& maxY) const;
    void DrawImage(TBitmap& buffer);

    TBitmap bitmap_;
    TBitmap buffer_;
    bool bufferDirty_ = true;
    double zoom_ = 100.0, zoomFactor_ = 1.0, inverseZoom_ = 1.0;
    int viewX_ = 0, viewY_ = 0;
    bool center_ = false;
    TScrollStyle scrollBars_ = ssNone;
    int extentWidth_ = 0, extentHeight_ = 0;
    int offsetX_ = 0, offsetY_ = 0;
    int visibleWidth_ = 0, visibleHeight_ = 0;
    int sourceX_ = 0, sourceY_ = 0, sourceWidth_ = 0, sourceHeight_ = 0;
    int targetWidth_ = 0, targetHeight_ = 0;
    TScrollBar* hScroll_ = nullptr;
    TScrollBar* vScroll_ = nullptr;
    double hScale_ = 1.0, vScale_ = 1.0; // display pixels per scroll-bar unit
};
