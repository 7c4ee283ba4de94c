#include "ImageView.hpp"

#include "ImageCompose.hpp"
#include "ViewCursors.hpp"
#include "ViewMath.hpp"
#include "controls/ScrollBar.hpp"

#include <algorithm>

using viewmath::Nearest;
using viewmath::Trunc;

namespace {
constexpr int kScrollUnits = 65536; // scroll bar range 0..65535
}

TImageView::TImageView(TComponent* owner) : TViewBase(owner), bitmap_(0, 0, pf24bit) {
    SetCursor(crViewCross3);
    SetBounds(0, 0, 105, 105);
}

TImageView::~TImageView() {
    MarkDestroying();
}

// Assignment ------------------------------------------------------------------

void TImageView::Assign(const TBitmap* source) {
    if (!source) {
        Clear();
        return;
    }
    bitmap_ = *source;
    if (source->PixelFormat() != pf24bit && source->PixelFormat() != pf1bit)
        bitmap_.SetPixelFormat(pf24bit);
    Update();
    ImageChange();
}

void TImageView::Assign(const TObject* source) {
    if (!source) {
        Clear();
        return;
    }
    const TImageView* other = dynamic_cast<const TImageView*>(source);
    if (!other || other == this)
        return;
    bitmap_ = other->bitmap_;
    TViewBase::SetBackGround(other->Background());
    SetDPI(other->DPIX(), other->DPIY());
    Update();
    ImageChange();
}

void TImageView::SetBackGround(TColor colour) {
    TViewBase::SetBackGround(colour);
    Update();
    ImageChange();
}

void TImageView::Clear() {
    TCanvas& canvas = bitmap_.Canvas();
    canvas.Brush.Style = bsSolid;
    canvas.Brush.Color = Background();
    canvas.FillRect({0, 0, bitmap_.Width(), bitmap_.Height()});
    Update();
}

void TImageView::Blank() {
    bitmap_.SetSize(1, 1);
    Clear();
}

// Layout ----------------------------------------------------------------------

int TImageView::GetClientWidth() const {
    if (!HasParentWindow())
        return 50;
    int w = ClientRect().Width() - (BarShown(vScroll_) ? TScrollBar::kThickness : 0);
    return std::max(0, w);
}

int TImageView::GetClientHeight() const {
    if (!HasParentWindow())
        return 50;
    int h = ClientRect().Height() - (BarShown(hScroll_) ? TScrollBar::kThickness : 0);
    return std::max(0, h);
}

bool TImageView::BarShown(const TScrollBar* bar) const {
    return bar && bar->Visible();
}

void TImageView::MaxViewXY(int clientW, int clientH, int& maxX, int& maxY) const {
    int w = Trunc(bitmap_.Width() * zoomFactor_);
    int h = Trunc(bitmap_.Height() * zoomFactor_);
    maxX = maxY = 0;
    if (w < 1 || h < 1)
        return;
    // An image that fits the control's outer size needs no scrolling at all.
    if (w <= Width() && h <= Height())
        return;
    maxX = std::max(w - clientW, 0);
    maxY = std::max(h - clientH, 0);
}

void TImageView::GetMaxViewXY(int& maxX, int& maxY) const {
    MaxViewXY(GetClientWidth(), GetClientHeight(), maxX, maxY);
}

void TImageView::Update() {
    if (Destroying())
        return;
    // Showing or hiding a scroll bar changes the client size: lay out again, a bounded number
    // of times so two bars that trade places cannot loop.
    for (int pass = 0; pass < 4; ++pass) {
        int cw = GetClientWidth(), ch = GetClientHeight();
        int maxX, maxY;
        MaxViewXY(cw, ch, maxX, maxY);
        bool moved = false;
        if (viewX_ > maxX) {
            viewX_ = maxX;
            moved = true;
        }
        if (viewY_ > maxY) {
            viewY_ = maxY;
            moved = true;
        }
        if (moved)
            ViewChange(0);
        if (HasParentWindow() && LayoutScrollBars(maxX, maxY))
            continue;
        extentWidth_ = Nearest(bitmap_.Width() * zoomFactor_);
        extentHeight_ = Nearest(bitmap_.Height() * zoomFactor_);
        visibleWidth_ = std::min(extentWidth_, cw);
        visibleHeight_ = std::min(extentHeight_, ch);
        offsetX_ = offsetY_ = 0;
        if (center_) {
            if (visibleWidth_ < cw)
                offsetX_ = (cw - visibleWidth_) / 2;
            if (visibleHeight_ < ch)
                offsetY_ = (ch - visibleHeight_) / 2;
        }
        break;
    }
    bufferDirty_ = true;
    if (HasParentWindow())
        Invalidate();
}

// Scroll bars -----------------------------------------------------------------

TScrollBar* TImageView::EnsureScrollBar(bool horizontal) {
    TScrollBar*& bar = horizontal ? hScroll_ : vScroll_;
    if (bar)
        return bar;
    bar = new TScrollBar(nullptr); // a child: the view's window deletes it
    bar->SetKind(horizontal ? sbHorizontal : sbVertical);
    bar->SetVisible(false);
    bar->SetTabStop(false);
    bar->SetParent(this);
    bar->OnScroll = [this, horizontal](TObject*, TScrollCode code, int& pos) {
        ScrollBarScrolled(horizontal, code, pos);
    };
    return bar;
}

bool TImageView::LayoutScrollBars(int maxX, int maxY) {
    bool changed = false;
    try {
        auto setUp = [&](bool horizontal, bool allowed, int limit, int client, int view) {
            TScrollBar* bar = horizontal ? hScroll_ : vScroll_;
            if (!allowed || limit < 1) {
                if (BarShown(bar)) {
                    bar->SetVisible(false);
                    changed = true;
                }
                return;
            }
            bar = EnsureScrollBar(horizontal);
            double s = static_cast<double>(client + limit) / kScrollUnits;
            (horizontal ? hScale_ : vScale_) = s;
            bar->SetRange(0, kScrollUnits - 1);
            bar->SetPageSize(Trunc(client / s));
            bar->SetPosition(Trunc(view / s));
            if (!bar->Visible()) {
                bar->SetVisible(true);
                changed = true;
            }
        };
        setUp(true, scrollBars_ == ssHorizontal || scrollBars_ == ssBoth, maxX, GetClientWidth(),
              viewX_);
        setUp(false, scrollBars_ == ssVertical || scrollBars_ == ssBoth, maxY, GetClientHeight(),
              viewY_);
        PlaceScrollBars();
    } catch (...) {
        // A failing scroll bar must not stop the layout.
    }
    return changed;
}

void TImageView::PlaceScrollBars() {
    TRect client = ClientRect();
    int w = client.Width(), h = client.Height(), t = TScrollBar::kThickness;
    bool both = BarShown(hScroll_) && BarShown(vScroll_);
    if (BarShown(hScroll_))
        hScroll_->SetBounds(0, std::max(0, h - t), std::max(0, w - (both ? t : 0)), t);
    if (BarShown(vScroll_))
        vScroll_->SetBounds(std::max(0, w - t), 0, t, std::max(0, h - (both ? t : 0)));
}

void TImageView::SetScrollBars(TScrollStyle style) {
    scrollBars_ = style;
    if (hScroll_ && style != ssHorizontal && style != ssBoth)
        hScroll_->SetVisible(false);
    if (vScroll_ && style != ssVertical && style != ssBoth)
        vScroll_->SetVisible(false);
    Update();
}

void TImageView::ScrollBarScrolled(bool horizontal, int code, int& pos) {
    int maxX, maxY;
    GetMaxViewXY(maxX, maxY);
    int current = horizontal ? viewX_ : viewY_;
    int limit = horizontal ? maxX : maxY;
    int line = std::max(Trunc(zoomFactor_), 1);
    int page = horizontal ? GetClientWidth() : GetClientHeight();
    double scale = horizontal ? hScale_ : vScale_;
    int target = current;
    switch (static_cast<TScrollCode>(code)) {
    case scLineUp:
        target = current - line;
        break;
    case scLineDown:
        target = current + line;
        break;
    case scPageUp:
        target = current - page;
        break;
    case scPageDown:
        target = current + page;
        break;
    case scTop:
        target = 0;
        break;
    case scBottom:
        target = limit;
        break;
    case scTrack:
    case scPosition:
        target = Trunc(pos * scale);
        break;
    case scEndScroll:
        break;
    }
    if (horizontal)
        SetViewX(std::clamp(target, 0, limit));
    else
        SetViewY(std::clamp(target, 0, limit));
    pos = Trunc((horizontal ? viewX_ : viewY_) / scale);
}

// Zoom and scrolling ----------------------------------------------------------

void TImageView::SetZoom(double z) {
    if (!(z > 0) || z == zoom_)
        return;
    LockPaint();
    int cw = GetClientWidth() / 2, ch = GetClientHeight() / 2;
    int maxX, maxY;
    GetMaxViewXY(maxX, maxY); // the old zoom's limits; Update clamps to the new ones
    int bx = Nearest((static_cast<double>(viewX_) + cw - offsetX_) * inverseZoom_);
    int by = Nearest((static_cast<double>(viewY_) + ch - offsetY_) * inverseZoom_);
    viewX_ = std::clamp(Trunc(bx * z / 100 - cw), 0, maxX);
    viewY_ = std::clamp(Trunc(by * z / 100 - ch), 0, maxY);
    zoom_ = z;
    zoomFactor_ = z / 100;
    inverseZoom_ = 100 / z;
    Update();
    NPUnLockPaint();
    Repaint();
    LockPaint();
    Update();
    NPUnLockPaint();
    ViewChange(1);
}

void TImageView::SetViewX(int x) {
    if (x == viewX_)
        return;
    int maxX, maxY;
    GetMaxViewXY(maxX, maxY);
    viewX_ = std::clamp(x, 0, maxX);
    bufferDirty_ = true;
    Repaint();
    ViewChange(0);
    if (BarShown(hScroll_) && hScroll_->Enabled())
        hScroll_->SetPosition(Trunc(viewX_ / hScale_));
}

void TImageView::SetViewY(int y) {
    if (y == viewY_)
        return;
    int maxX, maxY;
    GetMaxViewXY(maxX, maxY);
    viewY_ = std::clamp(y, 0, maxY);
    bufferDirty_ = true;
    Repaint();
    ViewChange(0);
    if (BarShown(vScroll_) && vScroll_->Enabled())
        vScroll_->SetPosition(Trunc(viewY_ / vScale_));
}

void TImageView::SetCenter(bool on) {
    if (on == center_)
        return;
    center_ = on;
    Update();
}

void TImageView::ViewChange(int change) {
    Raise(OnViewChange, this, change);
}

// Coordinates -----------------------------------------------------------------

int TImageView::XScr2Bmp(int x) const {
    return Trunc((static_cast<double>(x) - offsetX_) * inverseZoom_ + sourceX_);
}

int TImageView::YScr2Bmp(int y) const {
    return Trunc((static_cast<double>(y) - offsetY_) * inverseZoom_ + sourceY_);
}

int TImageView::XBmp2Scr(int x) const {
    double first = Nearest(-viewX_ * inverseZoom_);
    return Nearest((first + x) * zoomFactor_ + offsetX_);
}

int TImageView::YBmp2Scr(int y) const {
    double first = Nearest(-viewY_ * inverseZoom_);
    return Nearest((first + y) * zoomFactor_ + offsetY_);
}

// Composition and painting ----------------------------------------------------

void TImageView::CalcPaintCoef() {
    int w = bitmap_.Width(), h = bitmap_.Height();
    sourceX_ = sourceY_ = sourceWidth_ = sourceHeight_ = 0;
    targetWidth_ = targetHeight_ = 0;
    if (extentWidth_ > 0) {
        double r = static_cast<double>(w) / extentWidth_;
        sourceX_ = Nearest(viewX_ * r);
        sourceWidth_ = Nearest(visibleWidth_ * r);
        if (int64_t{sourceX_} + sourceWidth_ > w)
            --sourceWidth_;
    }
    if (extentHeight_ > 0) {
        double r = static_cast<double>(h) / extentHeight_;
        sourceY_ = Nearest(viewY_ * r);
        sourceHeight_ = Nearest(visibleHeight_ * r);
        if (int64_t{sourceY_} + sourceHeight_ > h)
            --sourceHeight_;
    }
    if (zoom_ > 100) {
        targetWidth_ = Trunc(sourceWidth_ * zoomFactor_);
        if (targetWidth_ < visibleWidth_ && int64_t{sourceX_} + sourceWidth_ + 1 <= w)
            targetWidth_ = Trunc(++sourceWidth_ * zoomFactor_);
        targetHeight_ = Trunc(sourceHeight_ * zoomFactor_);
        if (targetHeight_ < visibleHeight_ && int64_t{sourceY_} + sourceHeight_ + 1 <= h)
            targetHeight_ = Trunc(++sourceHeight_ * zoomFactor_);
    } else {
        targetWidth_ = visibleWidth_;
        targetHeight_ = visibleHeight_;
    }
}

void TImageView::DrawImage(TBitmap& buffer) {
    ComposeNearest(bitmap_, Bounds(sourceX_, sourceY_, sourceWidth_, sourceHeight_), buffer,
                   offsetX_, offsetY_, targetWidth_, targetHeight_);
}

void TImageView::PaintToEx(TBitmap& buffer) {
    CalcPaintCoef();
    TCanvas& canvas = buffer.Canvas();
    canvas.ResetClip();
    canvas.SetOrigin(0, 0);
    canvas.Brush.Style = bsSolid;
    canvas.Brush.Color = Background();
    bool blank = bitmap_.Width() == 1 && bitmap_.Height() == 1;
    TRect image = blank ? TRect{} : Bounds(offsetX_, offsetY_, targetWidth_, targetHeight_);
    int w = buffer.Width(), h = buffer.Height();
    if (image.IsEmpty()) {
        canvas.FillRect({0, 0, w, h});
        return;
    }
    canvas.FillRect({0, 0, w, image.Top});
    canvas.FillRect({0, image.Bottom, w, h});
    canvas.FillRect({0, image.Top, image.Left, image.Bottom});
    canvas.FillRect({image.Right, image.Top, w, image.Bottom});
    try {
        DrawImage(buffer);
    } catch (...) {
        // A failure while drawing the image leaves the background; the paint goes on.
    }
}

void TImageView::PaintTo(TCanvas& canvas, int x, int y) {
    int cw = GetClientWidth(), ch = GetClientHeight();
    if (cw <= 0 || ch <= 0)
        return;
    if (buffer_.Width() != cw || buffer_.Height() != ch) {
        buffer_.SetSize(cw, ch);
        bufferDirty_ = true;
    }
    if (bufferDirty_) {
        PaintToEx(buffer_);
        bufferDirty_ = false;
    }
    canvas.Draw(x, y, buffer_);
}

void TImageView::Paint() {
    if (PaintLock() > 0)
        return;
    TCanvas& canvas = Canvas();
    PaintBorder(canvas);
    TRect client = ClientRect();
    PaintTo(canvas, client.Left, client.Top);
    if (BarShown(hScroll_) && BarShown(vScroll_)) {
        int t = TScrollBar::kThickness;
        canvas.Brush.Style = bsSolid;
        canvas.Brush.Color = clBtnFace;
        canvas.FillRect(Bounds(client.Right - t, client.Bottom - t, t, t));
    }
}

// Mouse -----------------------------------------------------------------------

TPoint TImageView::ToClient(int x, int y) const {
    TRect client = ClientRect();
    return {x - client.Left, y - client.Top};
}

void TImageView::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TPoint p = ToClient(x, y);
    TViewBase::MouseDown(button, shift, p.x, p.y);
    if (CanFocus())
        SetFocus();
}

void TImageView::MouseMove(TShiftState shift, int x, int y) {
    TPoint p = ToClient(x, y);
    TViewBase::MouseMove(shift, p.x, p.y);
}

void TImageView::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    TPoint p = ToClient(x, y);
    TViewBase::MouseUp(button, shift, p.x, p.y);
}

void TImageView::MouseWheel(TShiftState shift, int delta, int x, int y) {
    TPoint p = ToClient(x, y);
    TViewBase::MouseWheel(shift, delta, p.x, p.y);
    if (delta == 0 || !Focused())
        return;
    int d = delta > 0 ? -1 : 1;
    SetZoom(zoom_ + d * std::max(Nearest(8 * zoom_ / 100), 1));
}
