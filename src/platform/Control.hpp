// TControl, TWinControl and TCustomControl: the control tree of a form.
//
// Controls have no native windows of their own. Each top-level form owns one
// picture (its client area); a control paints into that picture through a
// canvas whose origin is the control's top-left corner and whose clip is the
// control's visible part. Invalidate only marks the form dirty; Repaint paints
// at once and presents the result.
#pragma once

#include "Component.hpp"
#include "Cursor.hpp"
#include "Events.hpp"
#include "graphics/Canvas.hpp"
#include "graphics/Color.hpp"
#include "graphics/Types.hpp"

#include <string>
#include <vector>

class TWinControl;
class TForm;

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };

// A rectangle of a form's client area with everything it shows.
class TControl : public TComponent {
public:
    explicit TControl(TComponent* owner);
    ~TControl() override;

    // Parent and geometry (Left/Top in the parent's client coordinates).
    TWinControl* Parent() const { return parent_; }
    virtual void SetParent(TWinControl* parent);
    int Left() const { return left_; }
    int Top() const { return top_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    void SetLeft(int v) { SetBounds(v, top_, width_, height_); }
    void SetTop(int v) { SetBounds(left_, v, width_, height_); }
    void SetWidth(int v) { SetBounds(left_, top_, v, height_); }
    void SetHeight(int v) { SetBounds(left_, top_, width_, v); }
    virtual void SetBounds(int left, int top, int width, int height);
    TRect BoundsRect() const { return {left_, top_, left_ + width_, top_ + height_}; }
    // The area children and painting use, in the control's own coordinates.
    virtual TRect ClientRect() const { return {0, 0, width_, height_}; }
    int ClientWidth() const { return ClientRect().Width(); }
    int ClientHeight() const { return ClientRect().Height(); }
    TAlign Align() const { return align_; }
    void SetAlign(TAlign align);

    // State.
    bool Visible() const { return visible_; }
    virtual void SetVisible(bool visible);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    // Visible itself and all its parents up to a shown form.
    bool Showing() const;
    bool Enabled() const { return enabled_; }
    virtual void SetEnabled(bool enabled);
    TColor Color() const { return color_; }
    void SetColor(TColor color);
    TFont& Font() { return font_; }
    const TFont& Font() const { return font_; }
    void SetFont(const TFont& font);
    int Cursor() const { return cursor_; }
    void SetCursor(int cursor);
    const std::string& Hint() const { return hint_; }
    void SetHint(const std::string& hint) { hint_ = hint; }
    bool ShowHint() const { return showHint_; }
    // Setting ShowHint stops taking it from the parent.
    void SetShowHint(bool show) {
        showHint_ = show;
        parentShowHint_ = false;
    }
    // Takes ShowHint from the parent [true].
    bool ParentShowHint() const { return parentShowHint_; }
    void SetParentShowHint(bool v) { parentShowHint_ = v; }
    // Whether this control's hint shows as a tool tip: its own ShowHint, or the parent's.
    bool ShowsHint() const;
    const std::string& Caption() const { return caption_; }
    virtual void SetCaption(const std::string& caption);

    // Z-order among the siblings.
    void BringToFront();
    void SendToBack();

    // Painting.
    void Invalidate();
    // Paints the control now, on top of what the form shows, and presents it.
    void Repaint();
    // The canvas this control draws with; valid inside Paint and Repaint.
    TCanvas& Canvas();
    // Draws the control; called with the canvas prepared.
    virtual void Paint() {}

    // Coordinates.
    TForm* Form() const;
    // Position of this control's (0,0) in its form's picture.
    virtual TPoint FormOrigin() const;
    // The control's rectangle in its form's picture, clipped by its parents.
    TRect VisibleRectInForm() const;
    TPoint FormToClient(TPoint p) const;

    // Input, called by the application on the control under the pointer.
    virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseMove(TShiftState shift, int x, int y);
    virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseWheel(TShiftState shift, int delta, int x, int y);
    virtual void MouseEnter() {}
    virtual void MouseLeave() {}
    virtual void KeyDown(int& key, TShiftState shift);
    virtual void KeyPress(char32_t ch) { (void)ch; }
    virtual void DoEnter() {}
    virtual void DoExit() {}
    // Replaces the control's text as if typed; false when it takes no text.
    virtual bool TypeText(const std::string& text) {
        (void)text;
        return false;
    }
    // Raises OnClick (buttons call it on a completed click).
    virtual void Click();

    TNotifyEvent OnClick;
    TMouseEvent OnMouseDown;
    TMouseEvent OnMouseUp;
    TMouseMoveEvent OnMouseMove;
    TMouseWheelEvent OnMouseWheel;
    TKeyEvent OnKeyDown;

protected:
    // Called after the size changed (the control's own layout hook).
    virtual void Resized() {}
    // Stores the bounds without notifying; the alignment pass uses it.
    void StoreBounds(int left, int top, int width, int height);
    friend class TWinControl;

private:
    TWinControl* parent_ = nullptr;
    int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    TAlign align_ = alNone;
    bool visible_ = true;
    bool enabled_ = true;
    TColor color_ = clBtnFace;
    TFont font_;
    int cursor_ = crDefault;
    std::string hint_;
    bool showHint_ = false;
    bool parentShowHint_ = true;
    std::string caption_;
};

// A control that holds child controls and can take the keyboard focus.
class TWinControl : public TControl {
public:
    explicit TWinControl(TComponent* owner);
    ~TWinControl() override;

    // Children in z-order, back to front.
    const std::vector<TControl*>& Controls() const { return children_; }
    int ControlCount() const { return static_cast<int>(children_.size()); }
    // Position of the client area's (0,0) in the form's picture.
    TPoint ClientFormOrigin() const;
    // The deepest visible, enabled control at a point of this control's client area.
    TControl* ControlAtPos(TPoint clientPoint);
    // Lays out aligned children in the client area.
    void Realign();

    // Focus and tab order.
    bool TabStop() const { return tabStop_; }
    void SetTabStop(bool v) { tabStop_ = v; }
    int TabOrder() const { return tabOrder_; }
    void SetTabOrder(int order);
    virtual bool CanFocus() const;
    void SetFocus();
    bool Focused() const;

    void SetBounds(int left, int top, int width, int height) override;

private:
    friend class TControl;
    void InsertChild(TControl* child);
    void RemoveChild(TControl* child);
    std::vector<TControl*> children_;
    bool tabStop_ = false;
    int tabOrder_ = -1;
};

// A windowed control that paints itself: the base of custom-drawn controls.
class TCustomControl : public TWinControl {
public:
    explicit TCustomControl(TComponent* owner) : TWinControl(owner) {}
};
