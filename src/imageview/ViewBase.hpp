// TViewBase: what every image view shares (background colour, border style,
// paint lock, resolution) and the registration of the views' cursors.
#pragma once

#include "Control.hpp"
#include "Events.hpp"
#include "Form.hpp"
#include "graphics/Bitmap.hpp"

#include <cstddef>

class TViewBase : public TCustomControl {
public:
    // Registers the 18 view cursors (ids 1778..1795) again on every construction.
    explicit TViewBase(TComponent* owner);

    // Fills the client area outside the image; also the fill colour of Clear.
    TColor Background() const { return background_; }
    virtual void SetBackGround(TColor colour);
    // bsSingle: a 2-pixel sunken client edge; bsNone: no border.
    TFormBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TFormBorderStyle style);
    // The area inside the border, in the control's own coordinates.
    TRect ClientRect() const override;

    // Copies what a source holds; the overloads pick bitmaps, other views and null.
    virtual void Assign(const TBitmap* source) { (void)source; }
    virtual void Assign(const TObject* source) { (void)source; }
    void Assign(std::nullptr_t) { Assign(static_cast<const TBitmap*>(nullptr)); }
    void Assign(const TBitmap& source) { Assign(&source); }

    // The view's own bitmap (not a copy), or null for a view without a single bitmap.
    virtual TBitmap* GetFBitmap() { return nullptr; }
    // Alpha channels are not part of this system: always null.
    virtual TBitmap* GetAlphaChannel() { return nullptr; }
    // Paint lock: while above 0 the view does not paint. It never goes below 0.
    virtual void LockPaint() { ++paintLock_; }
    // Lowers the lock and calls Update when it reaches 0.
    virtual void UnLockPaint();
    // Lowers the lock without updating.
    virtual void NPUnLockPaint();
    int PaintLock() const { return paintLock_; }
    // Resolution in dots per inch; kept and copied, never used for drawing.
    virtual void SetDPIX(int dpi) { dpiX_ = dpi; }
    virtual void SetDPIY(int dpi) { dpiY_ = dpi; }
    virtual void SetDPI(int dpiX, int dpiY) {
        SetDPIX(dpiX);
        SetDPIY(dpiY);
    }
    int DPIX() const { return dpiX_; }
    int DPIY() const { return dpiY_; }
    // Raises OnImageChange.
    virtual void ImageChange() { Raise(OnImageChange, this); }
    // Recomputes the layout and invalidates.
    virtual void Update() { Invalidate(); }

    TNotifyEvent OnImageChange;

protected:
    // Draws the border (if any) on the control's canvas, origin at the outer corner.
    void PaintBorder(TCanvas& canvas);
    // The border's width on each side.
    int BorderWidth() const { return borderStyle_ == bsSingle ? 2 : 0; }

private:
    TColor background_ = clBtnFace;
    TFormBorderStyle borderStyle_ = bsSingle;
    int paintLock_ = 0;
    int dpiX_ = 72, dpiY_ = 72;
};
