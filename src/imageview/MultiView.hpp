// TMultiView: an ordered list of images, each with a delay time, owned by the
// view. The host keeps its V/A sequence in one; the preview player shows and
// plays its frames from another (mdSingle). The pixels live in a temporary
// file store, with at most ImageCacheSize images mapped at once.
#pragma once

#include "ImageStore.hpp"
#include "ImageView.hpp"
#include "Timer.hpp"
#include "ViewBase.hpp"
#include "graphics/Bitmap.hpp"

#include <functional>
#include <memory>
#include <vector>

enum TDisplayMode { mdGrid, mdSingle };
enum TMultiViewStyle { msFlat, msSunken };

// Raised for each cell drawn, with the cell's top-left and the canvas drawn on.
using TImageDrawEvent =
    std::function<void(TObject* sender, int idx, int left, int top, TCanvas& canvas)>;
// Raised when the selection is set; idx is the selected index (-1: none).
using TImageSelectEvent = std::function<void(TObject* sender, int idx)>;

class TMultiView : public TViewBase {
public:
    explicit TMultiView(TComponent* owner);
    ~TMultiView() override;

    // The frame list.
    // Stops playback, appends an entry without an image, selects it; returns its index.
    int AppendImage();
    // Inserts an entry without an image at index (clamped to 0..count); returns the index used.
    int InsertImage(int index);
    // Stores a copy of bitmap in entry i (format, size and pixels as they are); i >= count and
    // negative i are ignored.
    void SetImage(int i, const TBitmap& bitmap);
    // A copy of the stored image of entry i, or null when there is none.
    std::unique_ptr<TBitmap> GetImage(int i) const;
    // Delay of entry i in milliseconds; out-of-range indices are ignored and read 0.
    void SetImageDelayTime(int i, int ms);
    int GetImageDelayTime(int i) const;
    int GetImageCount() const { return static_cast<int>(entries_.size()); }
    // Size of the stored image of entry i; 0 when out of range or without an image.
    int GetImageWidth(int i) const;
    int GetImageHeight(int i) const;
    // Index of the selected image, -1 when none.
    int SelectedItem() const { return selected_; }
    // Ignored while playing; selects entry i when it exists, then updates and raises
    // OnImageSelect.
    void SetSelectedItem(int i);
    // Deselects, deletes every entry and its stored image (stopping playback) and starts a
    // new store.
    void Clear();

    // Display.
    TDisplayMode DisplayMode() const { return displayMode_; }
    // While playing only remembered for the end of playback.
    void SetDisplayMode(TDisplayMode mode);
    int ThumbWidth() const { return thumbWidth_; }
    int ThumbHeight() const { return thumbHeight_; }
    void SetThumbWidth(int w);
    void SetThumbHeight(int h);
    int HorizBorder() const { return horizBorder_; }
    int VertBorder() const { return vertBorder_; }
    void SetHorizBorder(int v);
    void SetVertBorder(int v);
    int UpperGap() const { return upperGap_; }
    int BottomGap() const { return bottomGap_; }
    void SetUpperGap(int v);
    void SetBottomGap(int v);
    TMultiViewStyle Style() const { return style_; }
    void SetStyle(TMultiViewStyle style);
    TColor ThumbnailsBackground() const { return thumbnailsBackground_; }
    void SetThumbnailsBackground(TColor colour);
    bool VisibleSelection() const { return visibleSelection_; }
    void SetVisibleSelection(bool on);
    int SelectionWidth() const { return selectionWidth_; }
    void SetSelectionWidth(int w);
    TColor SelectionColor() const { return selectionColor_; }
    void SetSelectionColor(TColor colour);
    TScrollStyle ScrollBars() const { return scrollBars_; }
    virtual void SetScrollBars(TScrollStyle style);
    // How many stored images stay mapped in memory at once (at least 1).
    int ImageCacheSize() const { return cacheSize_; }
    void SetImageCacheSize(int n);
    int ViewX() const { return viewX_; }
    int ViewY() const { return viewY_; }

    // The frame mdSingle shows; during playback the one shown next.
    int VisibleFrame() const { return visibleFrame_; }
    // Takes i when it differs and lies in 0..count-1, then updates; drawn at the next paint.
    void SetVisibleFrame(int i);
    // Playback on the view's own timer: each frame stays max(delay, 10) ms after its paint.
    bool Playing() const { return playing_; }
    void SetPlaying(bool on);
    // At the end of the list start again (true) or stop (false); read at the end of the list.
    bool LoopPlayback = true;

    // TViewBase.
    using TViewBase::Assign;
    void Assign(const TBitmap* source) override { (void)source; }
    void Assign(const TObject* source) override { (void)source; }
    // Recomputes cells and scroll limits and invalidates; nothing without a parent.
    void Update() override;
    // Draws the client area directly (unless the paint lock is above 0).
    void Paint() override;
    void SetBackGround(TColor colour) override;

    // Raises OnViewChange(change).
    virtual void ViewChange(int change);
    // The view's mouse and key tools are fixed in this system: these do nothing.
    virtual void SetMouseInteract(int tools) { (void)tools; }
    virtual void SetKeyInteract(int tools) { (void)tools; }
    // Draws the client area on canvas (logical (0, 0) at the client's top-left).
    virtual void PaintTo(TCanvas& canvas);

    // Left click selects the cell under the pointer (not while playing) and takes the focus.
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    // Arrow, page, Home and End keys move the selection.
    void KeyDown(int& key, TShiftState shift) override;

    TImageDrawEvent OnImageDraw;
    TImageSelectEvent OnImageSelect;
    TViewChangeEvent OnViewChange;

    // The frame store, for inspection; null until the first image is stored.
    const TImageStore* Store() const { return store_.get(); }

protected:
    void Resized() override { Update(); }

private:
    struct Entry {
        int image = TImageStore::kNoImage; // id in the store
        int x = 0, y = 0;                  // cell position in the content
        int row = 0, column = 0;
        TColor background = clBtnFace;
        int delay = 0;
    };
    bool InRange(int i) const { return i >= 0 && i < GetImageCount(); }
    void PlayStep();
    // Puts back the display mode and selection that playback replaced.
    void RestoreAfterPlayback();
    void Deselect();
    // Cell positions and the size of the content they make.
    void LayoutCells(int& contentW, int& contentH);
    void DrawSingle(TCanvas& canvas, int clientW, int clientH);
    void DrawGrid(TCanvas& canvas, int clientW, int clientH);
    // Draws entry idx into cell; raises OnImageDraw when notify.
    void DrawCell(TCanvas& canvas, int idx, const TRect& cell, bool notify);
    TRect CellRect(int idx) const;
    void DropImage(Entry& entry);
    int CellAt(int x, int y) const;
    int ColumnsPerRow() const;
    TImageStore& EnsureStore();

    std::vector<Entry> entries_;
    std::unique_ptr<TImageStore> store_;
    int selected_ = -1;
    TDisplayMode displayMode_ = mdGrid;
    int thumbWidth_ = 100, thumbHeight_ = 100;
    int horizBorder_ = 4, vertBorder_ = 4;
    int upperGap_ = 0, bottomGap_ = 0;
    TMultiViewStyle style_ = msSunken;
    TColor thumbnailsBackground_ = clBtnFace;
    bool visibleSelection_ = true;
    int selectionWidth_ = 3;
    TColor selectionColor_ = clRed;
    TScrollStyle scrollBars_ = ssNone;
    int viewX_ = 0, viewY_ = 0;
    int visibleFrame_ = 0;
    bool playing_ = false;
    TDisplayMode savedDisplayMode_ = mdGrid;
    int savedSelection_ = -1;
    int cacheSize_ = 10;
    TTimer* playTimer_ = nullptr;
    bool stepping_ = false;
    // After a playback step has painted frame shownFrame_, a paint of the form before the
    // next change redraws that frame without raising OnImageDraw again.
    bool stepPaintValid_ = false;
    int shownFrame_ = 0;
    TBitmap scratch_; // the visible frame's pixels while drawing
};
