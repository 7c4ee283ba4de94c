#include "Form.hpp"

#include "Application.hpp"
#include "Screen.hpp"

#include <algorithm>
#include <functional>
#include <stdexcept>

TForm::TForm(TComponent* owner) : TCustomControl(owner), picture_(0, 0, pf24bit) {
    TControl::SetVisible(false);
    SetColor(clBtnFace);
    StoreBounds(0, 0, 320 + 2 * FrameWidth(), 240 + CaptionHeight() + 2 * FrameWidth());
    ClientSizeChanged();
    if (Application)
        Application->AddForm(this);
}

TForm::~TForm() {
    MarkDestroying();
    if (Application) {
        if (modal_)
            Application->LeaveModal(this);
        Application->RemoveForm(this);
        if (window_ >= 0)
            Application->backend().DestroyWindow(window_);
    }
}

int TForm::FrameWidth() const {
    switch (borderStyle_) {
    case bsNone:
        return 0;
    case bsSingle:
    case bsDialog:
        return 3;
    case bsSizeable:
        return 4;
    }
    return 0;
}

int TForm::CaptionHeight() const {
    return borderStyle_ == bsNone ? 0 : 23;
}

TRect TForm::ClientRect() const {
    return {0, 0, std::max(0, Width() - 2 * FrameWidth()),
            std::max(0, Height() - CaptionHeight() - 2 * FrameWidth())};
}

void TForm::SetClientWidth(int w) {
    SetBounds(Left(), Top(), w + 2 * FrameWidth(), Height());
}

void TForm::SetClientHeight(int h) {
    SetBounds(Left(), Top(), Width(), h + CaptionHeight() + 2 * FrameWidth());
}

void TForm::SetClientSize(int w, int h) {
    SetBounds(Left(), Top(), w + 2 * FrameWidth(), h + CaptionHeight() + 2 * FrameWidth());
}

void TForm::SetBorderStyle(TFormBorderStyle style) {
    TRect client = ClientRect();
    borderStyle_ = style;
    SetClientSize(client.Width(), client.Height());
}

void TForm::SetBounds(int left, int top, int width, int height) {
    StoreBounds(left, top, width, height);
    ClientSizeChanged();
    PlaceWindow();
}

void TForm::ClientSizeChanged() {
    TRect client = ClientRect();
    if (client.Width() == lastClientWidth_ && client.Height() == lastClientHeight_)
        return;
    lastClientWidth_ = client.Width();
    lastClientHeight_ = client.Height();
    picture_.SetSize(client.Width(), client.Height());
    dirty_ = client;
    Realign();
    Raise(OnResize, this);
}

void TForm::SetCaption(const std::string& caption) {
    TControl::SetCaption(caption);
    if (window_ >= 0)
        Application->backend().SetWindowTitle(window_, caption);
}

void TForm::SetIcon(const TBitmap& icon) {
    icon_ = icon;
    if (window_ >= 0 && icon_.Width() > 0)
        Application->backend().SetWindowIcon(window_, icon_);
}

void TForm::EnsureWindow() {
    if (window_ >= 0 || !Application)
        return;
    if (position_ == poScreenCenter) {
        TPoint screen = Application->backend().ScreenSize();
        StoreBounds((screen.x - Width()) / 2, (screen.y - Height()) / 2, Width(), Height());
    }
    WindowSpec request;
    request.title = Caption();
    request.x = Left() + FrameWidth();
    request.y = Top() + CaptionHeight() + FrameWidth();
    request.width = ClientWidth();
    request.height = ClientHeight();
    request.resizable = borderStyle_ == bsSizeable;
    window_ = Application->backend().CreateWindow(request);
    if (icon_.Width() > 0)
        Application->backend().SetWindowIcon(window_, icon_);
}

void TForm::PlaceWindow() {
    if (window_ >= 0)
        Application->backend().SetWindowBounds(window_, Left() + FrameWidth(),
                                               Top() + CaptionHeight() + FrameWidth(),
                                               ClientWidth(), ClientHeight());
}

void TForm::SetVisible(bool visible) {
    if (visible == Visible())
        return;
    if (visible) {
        EnsureWindow();
        TControl::SetVisible(true);
        dirty_ = ClientRect();
        Application->BringFormToTop(this);
        Application->backend().ShowWindow(window_, true);
        Raise(OnShow, this);
    } else {
        TControl::SetVisible(false);
        if (window_ >= 0 && Application)
            Application->backend().ShowWindow(window_, false);
    }
}

int TForm::ShowModal() {
    if (!Application)
        throw std::logic_error("ShowModal: no application object");
    if (Visible() || modal_)
        throw std::logic_error("ShowModal: the form is already showing");
    Application->EnterModal(this);
    modal_ = true;
    modalResult_ = mrNone;
    SetVisible(true);
    while (modalResult_ == mrNone && Visible())
        Application->HandleMessage();
    if (modalResult_ == mrNone)
        modalResult_ = mrCancel;
    SetVisible(false);
    modal_ = false;
    Application->LeaveModal(this);
    return modalResult_;
}

void TForm::Close() {
    TCloseAction action = caHide;
    Raise(OnClose, this, action);
    if (action == caNone)
        return;
    if (modal_)
        modalResult_ = mrCancel;
    else
        SetVisible(false);
}

void TForm::SetActiveControl(TControl* control) {
    if (control == activeControl_)
        return;
    TControl* old = activeControl_;
    activeControl_ = control;
    if (old)
        old->DoExit();
    if (control)
        control->DoEnter();
}

void TForm::Paint() {
    TCanvas& canvas = Canvas();
    canvas.Brush.Color = Color();
    canvas.Brush.Style = bsSolid;
    canvas.FillRect(ClientRect());
}

void TForm::InvalidateRect(const TRect& rect) {
    TRect r = rect.Intersect(ClientRect());
    if (r.IsEmpty())
        return;
    dirty_ = dirty_.IsEmpty() ? r : dirty_.Union(r);
}

void TForm::PaintTree(TControl* control, const TRect& clip, const std::vector<TRect>& excluded) {
    if (!control->Visible())
        return;
    TRect r = control->VisibleRectInForm().Intersect(clip);
    if (r.IsEmpty())
        return;
    TCanvas& canvas = picture_.Canvas();
    TPoint origin = control->FormOrigin();
    canvas.ResetClip();
    canvas.SetOrigin(0, 0);
    canvas.SetClipRect(r);
    canvas.SetOrigin(origin.x, origin.y);
    for (const TRect& e : excluded)
        canvas.ExcludeClipRect(e.Offset(-origin.x, -origin.y));
    canvas.Pen = TPen{};
    canvas.Brush = TBrush{};
    canvas.Font = control->Font();
    control->Paint();
    if (TWinControl* w = dynamic_cast<TWinControl*>(control))
        for (TControl* child : w->Controls())
            PaintTree(child, r, excluded);
}

void TForm::PaintDirty() {
    if (dirty_.IsEmpty())
        return;
    TRect region = dirty_;
    dirty_ = {0, 0, 0, 0};
    PaintRectNow(region);
}

void TForm::PaintRectNow(const TRect& rect) {
    TRect region = rect.Intersect(ClientRect());
    if (region.IsEmpty())
        return;
    PaintTree(this, region, {});
    picture_.Canvas().ResetClip();
    picture_.Canvas().SetOrigin(0, 0);
    PresentRegion(region);
}

void TForm::PaintControlNow(TControl* control) {
    // Whatever lies above the control or above one of its parents stays on top.
    std::vector<TRect> excluded;
    for (TControl* c = control; c->Parent(); c = c->Parent()) {
        const auto& siblings = c->Parent()->Controls();
        bool above = false;
        for (TControl* s : siblings) {
            if (s == c) {
                above = true;
                continue;
            }
            if (above && s->Visible())
                excluded.push_back(s->VisibleRectInForm());
        }
    }
    TRect region = control->VisibleRectInForm();
    PaintTree(control, region, excluded);
    picture_.Canvas().ResetClip();
    picture_.Canvas().SetOrigin(0, 0);
    PresentRegion(region);
}

void TForm::PresentRegion(const TRect& region) {
    if (window_ >= 0 && Visible() && !region.IsEmpty())
        Application->backend().Present(window_, picture_, region);
}

void TForm::SelectNext(TControl* current, bool forward) {
    std::vector<TWinControl*> order;
    std::function<void(TWinControl*)> collect = [&](TWinControl* parent) {
        std::vector<TWinControl*> kids;
        for (TControl* c : parent->Controls())
            if (TWinControl* w = dynamic_cast<TWinControl*>(c))
                kids.push_back(w);
        std::stable_sort(kids.begin(), kids.end(), [](TWinControl* a, TWinControl* b) {
            return a->TabOrder() < b->TabOrder();
        });
        for (TWinControl* w : kids) {
            if (w->TabStop() && w->CanFocus())
                order.push_back(w);
            collect(w);
        }
    };
    collect(this);
    if (order.empty())
        return;
    auto it = std::find(order.begin(), order.end(), current);
    size_t index = it == order.end() ? (forward ? order.size() - 1 : 0) : it - order.begin();
    size_t next = forward ? (index + 1) % order.size() : (index + order.size() - 1) % order.size();
    order[next]->SetFocus();
}
