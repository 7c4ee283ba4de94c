// TForm: a top-level window with its own picture, shown modelessly or modally.
#pragma once

#include "Control.hpp"
#include "graphics/Bitmap.hpp"

#include <memory>

enum TPosition { poDesigned, poScreenCenter };
enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog };

// Results of a modal form.
constexpr int mrNone = 0;
constexpr int mrOk = 1;
constexpr int mrCancel = 2;

class TForm : public TCustomControl {
public:
    explicit TForm(TComponent* owner);
    ~TForm() override;

    // Window geometry: Left/Top/Width/Height are the outer frame on the screen.
    void SetClientWidth(int w);
    void SetClientHeight(int h);
    void SetClientSize(int w, int h);
    TRect ClientRect() const override;
    TPosition Position() const { return position_; }
    void SetPosition(TPosition p) { position_ = p; }
    TFormBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TFormBorderStyle style);
    void SetBounds(int left, int top, int width, int height) override;
    void SetCaption(const std::string& caption) override;
    // The picture the window manager shows for the window (24-bit; empty: none of its own).
    const TBitmap& Icon() const { return icon_; }
    void SetIcon(const TBitmap& icon);

    // Showing and closing.
    void SetVisible(bool visible) override;
    // Shows the form and runs a nested message loop until it closes.
    int ShowModal();
    bool Modal() const { return modal_; }
    // Asks OnClose; hides (modal: ends the loop) unless the action says otherwise.
    void Close();
    int ModalResult() const { return modalResult_; }
    void SetModalResult(int r) { modalResult_ = r; }
    TControl* ActiveControl() const { return activeControl_; }
    void SetActiveControl(TControl* control);
    // Moves the focus to the next (or previous) focusable control in tab order.
    void SelectNext(TControl* current, bool forward);
    // With key preview on, the form's OnKeyDown sees each key before the focused
    // control does; a handler that sets the key to 0 keeps it from the control.
    bool KeyPreview() const { return keyPreview_; }
    void SetKeyPreview(bool on) { keyPreview_ = on; }

    TNotifyEvent OnShow;
    TNotifyEvent OnResize;
    TCloseEvent OnClose;

    // Picture and painting.
    TBitmap& Picture() { return picture_; }
    TPoint FormOrigin() const override { return {0, 0}; }
    void Paint() override;
    // Marks a region of the picture (form coordinates) for the next paint.
    void InvalidateRect(const TRect& rect);
    bool Dirty() const { return !dirty_.IsEmpty(); }
    // Composes the dirty region from all controls and presents it.
    void PaintDirty();
    // Paints one control (and its children) at once, above what covers it clipped away.
    void PaintControlNow(TControl* control);
    // Paints a region (form coordinates) of every control at once and presents it.
    void PaintRectNow(const TRect& rect);
    // Native window id, or -1 while the form has never been shown.
    int WindowId() const { return window_; }

    // Frame sizes of the current border style.
    int FrameWidth() const;
    int CaptionHeight() const;

private:
    void EnsureWindow();
    void PlaceWindow();
    void ClientSizeChanged();
    void PaintTree(TControl* control, const TRect& clip, const std::vector<TRect>& excluded);
    void PresentRegion(const TRect& region);

    TPosition position_ = poDesigned;
    bool keyPreview_ = false;
    TFormBorderStyle borderStyle_ = bsSizeable;
    bool modal_ = false;
    int modalResult_ = mrNone;
    TControl* activeControl_ = nullptr;
    TBitmap picture_;
    TBitmap icon_;
    TRect dirty_{0, 0, 0, 0};
    int window_ = -1;
    int lastClientWidth_ = -1, lastClientHeight_ = -1;
};
