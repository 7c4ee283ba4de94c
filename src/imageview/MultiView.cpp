#include "MultiView.hpp"

#include "ViewMath.hpp"

#include <algorithm>

using viewmath::Trunc;

namespace {
constexpr int kMinFrameTime = 10; // ms a frame stays on screen at least
constexpr TColor kSunkenShadow = 0x808080;
} // namespace

TMultiView::TMultiView(TComponent* owner) : TViewBase(owner) {
    playTimer_ = new TTimer(this);
    playTimer_->SetEnabled(false);
    playTimer_->OnTimer = [this](TObject*) { PlayStep(); };
}

TMultiView::~TMultiView() {
    MarkDestroying();
    playTimer_->SetEnabled(false);
}

TImageStore& TMultiView::EnsureStore() {
    if (!store_)
        store_ = std::make_unique<TImageStore>(cacheSize_);
    return *store_;
}

// The frame list --------------------------------------------------------------

int TMultiView::AppendImage() {
    SetPlaying(false);
    Entry entry;
    entry.background = Background();
    entries_.push_back(entry);
    selected_ = GetImageCount() - 1;
    Update();
    return selected_;
}

int TMultiView::InsertImage(int index) {
    index = std::clamp(index, 0, GetImageCount());
    Entry entry;
    entry.background = Background();
    entries_.insert(entries_.begin() + index, entry);
    if (selected_ >= index)
        ++selected_;
    Update();
    return index;
}

void TMultiView::DropImage(Entry& entry) {
    if (entry.image != TImageStore::kNoImage && store_)
        store_->Remove(entry.image);
    entry.image = TImageStore::kNoImage;
}

void TMultiView::SetImage(int i, const TBitmap& bitmap) {
    if (i < 0)
        return;
    if (InRange(i)) {
        // The old region is freed first so the new copy may take it.
        DropImage(entries_[i]);
        entries_[i].image = EnsureStore().Put(bitmap);
    }
    Update();
}

std::unique_ptr<TBitmap> TMultiView::GetImage(int i) const {
    if (!InRange(i) || entries_[i].image == TImageStore::kNoImage)
        return nullptr;
    auto copy = std::make_unique<TBitmap>();
    store_->CopyTo(entries_[i].image, *copy);
    return copy;
}

void TMultiView::SetImageDelayTime(int i, int ms) {
    if (InRange(i))
        entries_[i].delay = ms;
}

int TMultiView::GetImageDelayTime(int i) const {
    return InRange(i) ? entries_[i].delay : 0;
}

int TMultiView::GetImageWidth(int i) const {
    return InRange(i) && store_ ? store_->Width(entries_[i].image) : 0;
}

int TMultiView::GetImageHeight(int i) const {
    return InRange(i) && store_ ? store_->Height(entries_[i].image) : 0;
}

void TMultiView::SetSelectedItem(int i) {
    if (playing_)
        return;
    if (InRange(i))
        selected_ = i;
    Update();
    Raise(OnImageSelect, this, selected_);
}

void TMultiView::Deselect() {
    selected_ = -1;
    Update();
}

void TMultiView::Clear() {
    if (!entries_.empty())
        SetPlaying(false);
    entries_.clear();
    selected_ = -1;
    // Dropping the store closes its file, which removes it.
    store_.reset();
    Update();
}

// Properties ------------------------------------------------------------------

void TMultiView::SetDisplayMode(TDisplayMode mode) {
    if (playing_) {
        savedDisplayMode_ = mode;
        return;
    }
    displayMode_ = mode;
    Update();
}

void TMultiView::SetThumbWidth(int w) {
    thumbWidth_ = w;
    Update();
}

void TMultiView::SetThumbHeight(int h) {
    thumbHeight_ = h;
    Update();
}

void TMultiView::SetHorizBorder(int v) {
    horizBorder_ = v;
    Update();
}

void TMultiView::SetVertBorder(int v) {
    vertBorder_ = v;
    Update();
}

void TMultiView::SetUpperGap(int v) {
    upperGap_ = v;
    Update();
}

void TMultiView::SetBottomGap(int v) {
    bottomGap_ = v;
    Update();
}

void TMultiView::SetStyle(TMultiViewStyle style) {
    style_ = style;
    Update();
}

void TMultiView::SetThumbnailsBackground(TColor colour) {
    thumbnailsBackground_ = colour;
    Update();
}

void TMultiView::SetVisibleSelection(bool on) {
    visibleSelection_ = on;
    Update();
}

void TMultiView::SetSelectionWidth(int w) {
    selectionWidth_ = w;
    Update();
}

void TMultiView::SetSelectionColor(TColor colour) {
    selectionColor_ = colour;
    Update();
}

void TMultiView::SetScrollBars(TScrollStyle style) {
    scrollBars_ = style;
    Update();
}

void TMultiView::SetImageCacheSize(int n) {
    cacheSize_ = std::max(1, n);
    if (store_)
        store_->SetCacheSize(cacheSize_);
}

void TMultiView::SetBackGround(TColor colour) {
    TViewBase::SetBackGround(colour);
    Update();
}

void TMultiView::ViewChange(int change) {
    Raise(OnViewChange, this, change);
}

// Playback --------------------------------------------------------------------

void TMultiView::SetVisibleFrame(int i) {
    if (i == visibleFrame_ || !InRange(i))
        return;
    visibleFrame_ = i;
    Update();
}

void TMultiView::SetPlaying(bool on) {
    if (on == playing_)
        return;
    if (on) {
        savedDisplayMode_ = displayMode_;
        savedSelection_ = selected_;
        Deselect();
    }
    playing_ = on;
    PlayStep();
    if (!playing_)
        RestoreAfterPlayback();
}

void TMultiView::RestoreAfterPlayback() {
    SetDisplayMode(savedDisplayMode_);
    SetSelectedItem(savedSelection_);
}

void TMultiView::PlayStep() {
    if (stepping_ || Destroying())
        return;
    stepping_ = true;
    if (playTimer_->Enabled())
        playTimer_->SetEnabled(false);
    if (playing_) {
        if (displayMode_ != mdSingle) {
            displayMode_ = mdSingle;
            Update();
        }
        if (visibleFrame_ >= GetImageCount())
            visibleFrame_ = GetImageCount() - 1;
        if (visibleFrame_ >= 0) {
            int i = visibleFrame_;
            stepPaintValid_ = false;
            Repaint();
            // Until something changes, later paints show frame i again without an event.
            shownFrame_ = i;
            stepPaintValid_ = Showing();
            bool last = i >= GetImageCount() - 1;
            visibleFrame_ = last ? 0 : i + 1;
            if (last && !LoopPlayback) {
                playing_ = false;
            } else {
                playTimer_->SetInterval(std::max(GetImageDelayTime(i), kMinFrameTime));
                playTimer_->SetEnabled(true);
            }
        }
    }
    stepping_ = false;
}

// Layout and drawing ----------------------------------------------------------

int TMultiView::ColumnsPerRow() const {
    int step = thumbWidth_ + horizBorder_;
    if (step <= 0)
        return 1;
    return std::max(1, (ClientWidth() - horizBorder_) / step);
}

void TMultiView::LayoutCells(int& contentW, int& contentH) {
    if (displayMode_ == mdSingle) {
        for (Entry& e : entries_)
            e.x = e.y = e.row = e.column = 0;
        contentW = thumbWidth_ + horizBorder_;
        contentH = thumbHeight_ + vertBorder_;
        return;
    }
    int columns = ColumnsPerRow();
    for (int i = 0; i < GetImageCount(); ++i) {
        Entry& e = entries_[i];
        e.row = i / columns;
        e.column = i % columns;
        e.x = horizBorder_ + e.column * (thumbWidth_ + horizBorder_);
        e.y = vertBorder_ + e.row * (thumbHeight_ + vertBorder_);
    }
    int rows = (GetImageCount() + columns - 1) / columns;
    contentW = horizBorder_ + std::min(columns, GetImageCount()) * (thumbWidth_ + horizBorder_);
    contentH = vertBorder_ + rows * (thumbHeight_ + vertBorder_);
}

void TMultiView::Update() {
    if (Destroying())
        return;
    stepPaintValid_ = false;
    if (!Parent())
        return;
    int contentW = 0, contentH = 0;
    LayoutCells(contentW, contentH);
    int maxX = std::max(0, contentW - ClientWidth());
    int maxY = std::max(0, contentH - ClientHeight());
    if (viewX_ > maxX || viewY_ > maxY) {
        viewX_ = std::min(viewX_, maxX);
        viewY_ = std::min(viewY_, maxY);
        ViewChange(0);
    }
    Invalidate();
}

TRect TMultiView::CellRect(int idx) const {
    const Entry& e = entries_[idx];
    return Bounds(e.x - viewX_, e.y - viewY_, thumbWidth_, thumbHeight_);
}

void TMultiView::DrawCell(TCanvas& canvas, int idx, const TRect& cell, bool notify) {
    const Entry& e = entries_[idx];
    int w = store_ ? store_->Width(e.image) : 0;
    int h = store_ ? store_->Height(e.image) : 0;
    TRect drawn{};
    if (w > 0 && h > 0 && store_->CopyTo(e.image, scratch_)) {
        int room = thumbHeight_ - bottomGap_ - upperGap_;
        double s = std::min(static_cast<double>(room) / h, static_cast<double>(thumbWidth_) / w);
        int dw = std::max(1, Trunc(w * s)), dh = std::max(1, Trunc(h * s));
        drawn = Bounds(cell.Left + (thumbWidth_ - dw) / 2, cell.Top + upperGap_ + (room - dh) / 2,
                       dw, dh);
        canvas.StretchDraw(drawn, scratch_);
    }
    canvas.Brush.Style = bsSolid;
    canvas.Brush.Color = thumbnailsBackground_;
    if (drawn.IsEmpty()) {
        canvas.FillRect(cell);
    } else {
        canvas.FillRect({cell.Left, cell.Top, cell.Right, drawn.Top});
        canvas.FillRect({cell.Left, drawn.Bottom, cell.Right, cell.Bottom});
        canvas.FillRect({cell.Left, drawn.Top, drawn.Left, drawn.Bottom});
        canvas.FillRect({drawn.Right, drawn.Top, cell.Right, drawn.Bottom});
        if (style_ == msSunken) {
            canvas.Brush.Color = kSunkenShadow;
            canvas.FillRect({drawn.Left, drawn.Top, drawn.Right, drawn.Top + 1});
            canvas.FillRect({drawn.Left, drawn.Top, drawn.Left + 1, drawn.Bottom});
            canvas.Brush.Color = clWhite;
            canvas.FillRect({drawn.Left, drawn.Bottom - 1, drawn.Right, drawn.Bottom});
            canvas.FillRect({drawn.Right - 1, drawn.Top, drawn.Right, drawn.Bottom});
        }
    }
    if (notify)
        Raise(OnImageDraw, this, idx, cell.Left, cell.Top, canvas);
}

void TMultiView::DrawSingle(TCanvas& canvas, int clientW, int clientH) {
    int count = GetImageCount();
    visibleFrame_ = count == 0 ? 0 : std::clamp(visibleFrame_, 0, count - 1);
    bool repeat = playing_ && stepPaintValid_ && shownFrame_ < count;
    int idx = repeat ? shownFrame_ : visibleFrame_;
    if (count > 0) {
        TRect cell = CellRect(idx);
        if (!cell.Intersect({0, 0, clientW, clientH}).IsEmpty()) {
            DrawCell(canvas, idx, cell, !repeat);
            canvas.ExcludeClipRect(cell);
        }
    }
}

void TMultiView::DrawGrid(TCanvas& canvas, int clientW, int clientH) {
    TRect client{0, 0, clientW, clientH};
    for (int i = 0; i < GetImageCount(); ++i) {
        TRect cell = CellRect(i);
        if (cell.Intersect(client).IsEmpty())
            continue;
        DrawCell(canvas, i, cell, true);
        canvas.ExcludeClipRect(cell);
        if (i == selected_ && visibleSelection_ && selectionWidth_ > 0) {
            canvas.Brush.Style = bsSolid;
            canvas.Brush.Color = selectionColor_;
            for (int k = 1; k <= selectionWidth_; ++k)
                canvas.FrameRect({cell.Left - k, cell.Top - k, cell.Right + k, cell.Bottom + k});
            TRect frame{cell.Left - selectionWidth_, cell.Top - selectionWidth_,
                        cell.Right + selectionWidth_, cell.Bottom + selectionWidth_};
            canvas.ExcludeClipRect(frame);
        }
    }
}

void TMultiView::PaintTo(TCanvas& canvas) {
    int w = ClientWidth(), h = ClientHeight();
    if (displayMode_ == mdSingle)
        DrawSingle(canvas, w, h);
    else
        DrawGrid(canvas, w, h);
    canvas.Brush.Style = bsSolid;
    canvas.Brush.Color = Background();
    canvas.FillRect({0, 0, w, h});
}

void TMultiView::Paint() {
    if (PaintLock() > 0)
        return;
    TCanvas& canvas = Canvas();
    PaintBorder(canvas);
    TRect client = ClientRect();
    TPoint origin = canvas.Origin();
    canvas.SetOrigin(origin.x + client.Left, origin.y + client.Top);
    PaintTo(canvas);
    canvas.SetOrigin(origin.x, origin.y);
}

// Input -----------------------------------------------------------------------

int TMultiView::CellAt(int x, int y) const {
    if (displayMode_ == mdSingle)
        return InRange(visibleFrame_) && CellRect(visibleFrame_).Contains({x, y}) ? visibleFrame_
                                                                                  : -1;
    for (int i = 0; i < GetImageCount(); ++i)
        if (CellRect(i).Contains({x, y}))
            return i;
    return -1;
}

void TMultiView::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TRect client = ClientRect();
    x -= client.Left;
    y -= client.Top;
    TViewBase::MouseDown(button, shift, x, y);
    if (button == mbLeft && !playing_) {
        int idx = CellAt(x, y);
        if (idx >= 0)
            SetSelectedItem(idx);
    }
    if (CanFocus())
        SetFocus();
}

void TMultiView::KeyDown(int& key, TShiftState shift) {
    TViewBase::KeyDown(key, shift);
    if (playing_ || entries_.empty())
        return;
    int columns = displayMode_ == mdSingle ? 1 : ColumnsPerRow();
    int step = thumbHeight_ + vertBorder_;
    int rowsPerPage = step > 0 ? std::max(1, ClientHeight() / step) : 1;
    int current = std::max(selected_, 0);
    int target;
    switch (key) {
    case VK_LEFT:
        target = current - 1;
        break;
    case VK_RIGHT:
        target = current + 1;
        break;
    case VK_UP:
        target = current - columns;
        break;
    case VK_DOWN:
        target = current + columns;
        break;
    case VK_PRIOR:
        target = current - columns * rowsPerPage;
        break;
    case VK_NEXT:
        target = current + columns * rowsPerPage;
        break;
    case VK_HOME:
        target = 0;
        break;
    case VK_END:
        target = GetImageCount() - 1;
        break;
    default:
        return;
    }
    SetSelectedItem(std::clamp(target, 0, GetImageCount() - 1));
}
