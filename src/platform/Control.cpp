#include "Control.hpp"

#include "Application.hpp"
#include "Form.hpp"
#include "graphics/Bitmap.hpp"

#include <algorithm>

namespace {
// Canvas for controls that are not on any form: drawing there goes nowhere visible.
TCanvas& DetachedCanvas() {
    static TBitmap scratch(1, 1, pf24bit);
    return scratch.Canvas();
}
} // namespace

TControl::TControl(TComponent* owner) : TComponent(owner) {}

TControl::~TControl() {
    MarkDestroying();
    if (Application)
        Application->ForgetControl(this);
    if (TForm* form = Form(); form && form->ActiveControl() == this)
        form->SetActiveControl(nullptr);
    SetParent(nullptr);
}

void TControl::SetParent(TWinControl* parent) {
    if (parent == parent_)
        return;
    if (parent_) {
        Invalidate();
        TWinControl* old = parent_;
        old->RemoveChild(this);
        parent_ = nullptr;
        if (!old->Destroying())
            old->Realign();
    }
    parent_ = parent;
    if (parent_) {
        parent_->InsertChild(this);
        parent_->Realign();
        Invalidate();
    }
}

void TControl::StoreBounds(int left, int top, int width, int height) {
    width = std::max(0, width);
    height = std::max(0, height);
    bool resized = width != width_ || height != height_;
    if (!resized && left == left_ && top == top_)
        return;
    Invalidate();
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    Invalidate();
    if (resized)
        Resized();
}

void TControl::SetBounds(int left, int top, int width, int height) {
    StoreBounds(left, top, width, height);
    if (parent_ && align_ != alNone)
        parent_->Realign();
}

void TControl::SetAlign(TAlign align) {
    if (align == align_)
        return;
    align_ = align;
    if (parent_)
        parent_->Realign();
}

void TControl::SetVisible(bool visible) {
    if (visible == visible_)
        return;
    if (!visible)
        Invalidate();
    visible_ = visible;
    if (visible)
        Invalidate();
    if (!visible && Application)
        Application->ForgetControl(this);
    if (parent_ && align_ != alNone)
        parent_->Realign();
}

bool TControl::Showing() const {
    for (const TControl* c = this; c; c = c->parent_) {
        if (!c->visible_)
            return false;
        if (!c->parent_)
            return dynamic_cast<const TForm*>(c) != nullptr;
    }
    return false;
}

void TControl::SetEnabled(bool enabled) {
    if (enabled == enabled_)
        return;
    enabled_ = enabled;
    if (!enabled && Application)
        Application->ForgetControl(this);
    Invalidate();
}

void TControl::SetColor(TColor color) {
    color_ = color;
    Invalidate();
}

void TControl::SetFont(const TFont& font) {
    font_ = font;
    Invalidate();
}

void TControl::SetCursor(int cursor) {
    cursor_ = cursor;
    if (Application && Application->Hovered() == this)
        Application->UpdateCursor();
}

bool TControl::ShowsHint() const {
    const TControl* c = this;
    while (c->parentShowHint_ && c->parent_)
        c = c->parent_;
    return c->showHint_;
}

void TControl::SetCaption(const std::string& caption) {
    if (caption == caption_)
        return;
    caption_ = caption;
    Invalidate();
}

void TControl::BringToFront() {
    if (!parent_)
        return;
    auto& list = parent_->children_;
    list.erase(std::find(list.begin(), list.end(), this));
    list.push_back(this);
    Invalidate();
    // Shown at once, so a panel brought up inside a long handler is seen during it.
    Repaint();
}

void TControl::SendToBack() {
    if (!parent_)
        return;
    auto& list = parent_->children_;
    list.erase(std::find(list.begin(), list.end(), this));
    list.insert(list.begin(), this);
    Invalidate();
    // What it covered is shown at once, as BringToFront shows the control.
    if (TForm* form = Form(); form && Showing())
        form->PaintRectNow(VisibleRectInForm());
}

void TControl::Invalidate() {
    if (TForm* form = Form())
        form->InvalidateRect(VisibleRectInForm());
}

void TControl::Repaint() {
    if (TForm* form = Form(); form && Showing())
        form->PaintControlNow(this);
}

TCanvas& TControl::Canvas() {
    TForm* form = Form();
    return form ? form->Picture().Canvas() : DetachedCanvas();
}

TForm* TControl::Form() const {
    const TControl* c = this;
    while (c->parent_)
        c = c->parent_;
    return dynamic_cast<TForm*>(const_cast<TControl*>(c));
}

TPoint TControl::FormOrigin() const {
    if (!parent_)
        return {left_, top_};
    TPoint o = parent_->ClientFormOrigin();
    return {o.x + left_, o.y + top_};
}

TRect TControl::VisibleRectInForm() const {
    TPoint o = FormOrigin();
    TRect r{o.x, o.y, o.x + width_, o.y + height_};
    if (const TForm* self = dynamic_cast<const TForm*>(this))
        r = self->ClientRect();
    for (const TWinControl* p = parent_; p; p = p->Parent()) {
        TPoint po = p->ClientFormOrigin();
        TRect client = p->ClientRect();
        r = r.Intersect({po.x, po.y, po.x + client.Width(), po.y + client.Height()});
    }
    return r;
}

TPoint TControl::FormToClient(TPoint p) const {
    TPoint o = FormOrigin();
    return {p.x - o.x, p.y - o.y};
}

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    Raise(OnMouseDown, this, button, shift, x, y);
}

void TControl::MouseMove(TShiftState shift, int x, int y) {
    Raise(OnMouseMove, this, shift, x, y);
}

void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    Raise(OnMouseUp, this, button, shift, x, y);
}

void TControl::MouseWheel(TShiftState shift, int delta, int x, int y) {
    bool handled = false;
    Raise(OnMouseWheel, this, shift, delta, x, y, handled);
}

void TControl::KeyDown(int& key, TShiftState shift) {
    Raise(OnKeyDown, this, key, shift);
}

void TControl::Click() {
    Raise(OnClick, this);
}

// ---------------------------------------------------------------------------

TWinControl::TWinControl(TComponent* owner) : TControl(owner) {}

TWinControl::~TWinControl() {
    MarkDestroying();
    // A window takes its child controls with it, whoever owns them.
    while (!children_.empty())
        delete children_.back();
}

void TWinControl::InsertChild(TControl* child) {
    children_.push_back(child);
    if (TWinControl* w = dynamic_cast<TWinControl*>(child); w && w->tabOrder_ < 0) {
        int count = 0;
        for (TControl* c : children_)
            if (dynamic_cast<TWinControl*>(c))
                ++count;
        w->tabOrder_ = count - 1;
    }
}

void TWinControl::RemoveChild(TControl* child) {
    children_.erase(std::remove(children_.begin(), children_.end(), child), children_.end());
}

TPoint TWinControl::ClientFormOrigin() const {
    TPoint o = FormOrigin();
    TRect c = ClientRect();
    return {o.x + c.Left, o.y + c.Top};
}

TControl* TWinControl::ControlAtPos(TPoint p) {
    for (auto it = children_.rbegin(); it != children_.rend(); ++it) {
        TControl* c = *it;
        if (!c->Visible() || !c->BoundsRect().Contains(p))
            continue;
        if (!c->Enabled())
            return nullptr;
        if (TWinControl* w = dynamic_cast<TWinControl*>(c)) {
            TRect client = w->ClientRect();
            TPoint inner{p.x - c->Left() - client.Left, p.y - c->Top() - client.Top};
            if (client.Contains({p.x - c->Left(), p.y - c->Top()}))
                if (TControl* deeper = w->ControlAtPos(inner))
                    return deeper;
        }
        return c;
    }
    return nullptr;
}

void TWinControl::Realign() {
    TRect area = ClientRect();
    area = {0, 0, area.Width(), area.Height()};
    auto placed = [&](TAlign a) {
        std::vector<TControl*> list;
        for (TControl* c : children_)
            if (c->Visible() && c->Align() == a)
                list.push_back(c);
        // Controls of one alignment keep the order of their positions.
        std::stable_sort(list.begin(), list.end(), [a](TControl* x, TControl* y) {
            switch (a) {
            case alTop:
                return x->Top() < y->Top();
            case alBottom:
                return x->Top() + x->Height() > y->Top() + y->Height();
            case alLeft:
                return x->Left() < y->Left();
            case alRight:
                return x->Left() + x->Width() > y->Left() + y->Width();
            default:
                return false;
            }
        });
        return list;
    };
    for (TControl* c : placed(alTop)) {
        c->StoreBounds(area.Left, area.Top, area.Width(), c->Height());
        area.Top += c->Height();
    }
    for (TControl* c : placed(alBottom)) {
        c->StoreBounds(area.Left, area.Bottom - c->Height(), area.Width(), c->Height());
        area.Bottom -= c->Height();
    }
    for (TControl* c : placed(alLeft)) {
        c->StoreBounds(area.Left, area.Top, c->Width(), std::max(0, area.Height()));
        area.Left += c->Width();
    }
    for (TControl* c : placed(alRight)) {
        c->StoreBounds(area.Right - c->Width(), area.Top, c->Width(), std::max(0, area.Height()));
        area.Right -= c->Width();
    }
    for (TControl* c : placed(alClient))
        c->StoreBounds(area.Left, area.Top, std::max(0, area.Width()), std::max(0, area.Height()));
    for (TControl* c : children_)
        if (TWinControl* w = dynamic_cast<TWinControl*>(c))
            w->Realign();
}

void TWinControl::SetBounds(int left, int top, int width, int height) {
    bool resized = width != Width() || height != Height();
    TControl::SetBounds(left, top, width, height);
    if (resized)
        Realign();
}

void TWinControl::SetTabOrder(int order) {
    tabOrder_ = order;
}

bool TWinControl::CanFocus() const {
    for (const TControl* c = this; c; c = c->Parent())
        if (!c->Visible() || !c->Enabled())
            return false;
    return true;
}

void TWinControl::SetFocus() {
    if (TForm* form = Form(); form && CanFocus())
        form->SetActiveControl(this);
}

bool TWinControl::Focused() const {
    TForm* form = Form();
    return form && form->ActiveControl() == this;
}
