#include "Application.hpp"

#include "Control.hpp"
#include "Dialogs.hpp"
#include "Form.hpp"
#include "Screen.hpp"
#include "Timer.hpp"
#include "Utf8.hpp"
#include "controls/HintController.hpp"

#include <algorithm>
#include <iostream>
#include <stdexcept>

TApplication* Application = nullptr;

TApplication::TApplication(std::unique_ptr<Backend> backend)
    : TComponent(nullptr), backend_(std::move(backend)) {
    if (Application)
        throw std::logic_error("only one application object per process");
    Application = this;
    hints_ = std::make_unique<THintController>();
}

TApplication::~TApplication() {
    MarkDestroying();
    // Forms owned by the application go first, while the backend still exists.
    DestroyComponents();
    hints_.reset();
    Application = nullptr;
}

TForm* TApplication::TopForm() const {
    for (auto it = forms_.rbegin(); it != forms_.rend(); ++it)
        if ((*it)->Visible())
            return *it;
    return nullptr;
}

TForm* TApplication::FindForm(const std::string& name) const {
    for (auto it = forms_.rbegin(); it != forms_.rend(); ++it)
        if ((*it)->Name() == name && (*it)->Visible())
            return *it;
    return nullptr;
}

void TApplication::AddForm(TForm* form) {
    forms_.push_back(form);
}

void TApplication::RemoveForm(TForm* form) {
    forms_.erase(std::remove(forms_.begin(), forms_.end(), form), forms_.end());
    modal_.erase(std::remove(modal_.begin(), modal_.end(), form), modal_.end());
}

void TApplication::BringFormToTop(TForm* form) {
    forms_.erase(std::remove(forms_.begin(), forms_.end(), form), forms_.end());
    forms_.push_back(form);
}

void TApplication::EnterModal(TForm* form) {
    if (ModalDepth() >= kMaxModalDepth)
        throw std::runtime_error("modal windows nested too deeply");
    ForgetControl(capture_);
    modal_.push_back(form);
}

void TApplication::LeaveModal(TForm* form) {
    modal_.erase(std::remove(modal_.begin(), modal_.end(), form), modal_.end());
    UpdateCursor();
}

bool TApplication::AcceptsInput(TForm* form) const {
    if (!form->Visible() || !form->Enabled())
        return false;
    if (modal_.empty())
        return true;
    // The innermost modal form, and windows shown above it, take input.
    auto modalPos = std::find(forms_.begin(), forms_.end(), modal_.back());
    auto formPos = std::find(forms_.begin(), forms_.end(), form);
    return formPos >= modalPos;
}

void TApplication::Post(std::function<void()> call) {
    queue_.push_back(std::move(call));
}

void TApplication::PostInput(const InputEvent& event) {
    queue_.push_back([this, event] { Dispatch(event); });
}

void TApplication::ScheduleTimer(TTimer* timer, int64_t deadline) {
    timers_[timer] = deadline;
}

void TApplication::CancelTimer(TTimer* timer) {
    timers_.erase(timer);
    liveTicks_.erase(timer);
}

std::optional<int64_t> TApplication::NextDeadline() const {
    std::optional<int64_t> next = scriptWait_;
    for (const auto& [timer, deadline] : timers_)
        if (!next || deadline < *next)
            next = deadline;
    return next;
}

void TApplication::FireDueTimers() {
    int64_t now = backend_->NowMs();
    if (scriptWait_ && *scriptWait_ <= now)
        scriptWait_.reset();
    // Due timers in deadline order, each as its own event.
    std::vector<std::pair<int64_t, TTimer*>> due;
    for (const auto& [timer, deadline] : timers_)
        if (deadline <= now)
            due.emplace_back(deadline, timer);
    std::stable_sort(due.begin(), due.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    for (const auto& [deadline, timer] : due) {
        timers_.erase(timer);
        queue_.push_back([this, timer = timer] {
            // The timer may have gone or been rescheduled meanwhile: only live ones tick.
            if (TimerAlive(timer))
                timer->Tick();
        });
        liveTicks_.insert(timer);
    }
}

bool TApplication::TimerAlive(TTimer* timer) {
    return liveTicks_.erase(timer) > 0;
}

namespace {

// Runs one event's work; a failure that its handler let through is reported in a
// message box and the loop goes on, as a desktop application's loop does.
void RunReporting(const std::function<void()>& work) {
    try {
        work();
    } catch (const std::bad_alloc&) {
        ShowMessage("Not enough memory for this operation.");
    } catch (const std::length_error&) {
        ShowMessage("Not enough memory for this operation.");
    } catch (const std::exception& error) {
        ShowMessage(error.what());
    }
}

} // namespace

void TApplication::HandleMessage() {
    if (!queue_.empty()) {
        auto call = std::move(queue_.front());
        queue_.pop_front();
        RunReporting(call);
        return;
    }
    bool painted = false;
    for (TForm* form : std::vector<TForm*>(forms_))
        if (form->Visible() && form->Dirty()) {
            form->PaintDirty();
            painted = true;
        }
    if (painted)
        return;
    if (script_ && !scriptDone_ && !scriptWait_) {
        scriptDone_ = !script_->Step();
        return;
    }
    InputEvent event;
    switch (backend_->WaitEvent(NextDeadline(), event)) {
    case WaitResult::Event:
        RunReporting([&] { Dispatch(event); });
        return;
    case WaitResult::Timeout:
        FireDueTimers();
        return;
    case WaitResult::NoInput:
        CloseTopForm();
        return;
    }
}

void TApplication::ProcessMessages() {
    while (!queue_.empty()) {
        auto call = std::move(queue_.front());
        queue_.pop_front();
        RunReporting(call);
    }
    for (TForm* form : std::vector<TForm*>(forms_))
        if (form->Visible() && form->Dirty())
            form->PaintDirty();
}

void TApplication::CloseTopForm() {
    // Input has run out: close the windows from the top, as a user would.
    TForm* top = TopForm();
    if (!top)
        throw std::logic_error("message loop has nothing to wait for: no input, timer or window");
    top->Close();
    if (top->Visible() && top->ModalResult() == mrNone) {
        // The form refused to close; with no input left it must go anyway.
        if (top->Modal())
            top->SetModalResult(mrCancel);
        else
            top->Hide();
    }
}

void TApplication::SetScript(std::unique_ptr<TInputScript> script) {
    script_ = std::move(script);
    scriptDone_ = !script_;
    backend_->SetScripted(script_ != nullptr);
}

void TApplication::Fail(const std::string& message, int exitCode) {
    if (exitCode_ == 0) {
        std::cerr << message << '\n';
        exitCode_ = exitCode;
    }
    scriptDone_ = true;
    scriptWait_.reset();
}

void TApplication::Dispatch(const InputEvent& event) {
    TForm* form = nullptr;
    for (TForm* f : forms_)
        if (f->WindowId() == event.window)
            form = f;
    if (!form)
        return;
    // The window manager's news holds for every shown window, modal loop or not.
    if (event.kind == InputKind::Resize && form->Visible()) {
        form->SetClientSize(event.width, event.height);
        return;
    }
    if (event.kind == InputKind::Expose && form->Visible()) {
        form->InvalidateRect(form->ClientRect());
        return;
    }
    if (!AcceptsInput(form)) {
        // A press or a key on a window below a modal one brings the modal one back up.
        bool person = event.kind == InputKind::MouseDown || event.kind == InputKind::KeyDown;
        if (person && !modal_.empty() && modal_.back()->WindowId() >= 0)
            backend_->RaiseWindow(modal_.back()->WindowId());
        return;
    }
    switch (event.kind) {
    case InputKind::MouseDown:
    case InputKind::MouseUp:
    case InputKind::MouseMove:
    case InputKind::MouseWheel:
        DispatchMouse(form, event);
        break;
    case InputKind::KeyDown:
    case InputKind::Text:
        DispatchKey(form, event);
        break;
    case InputKind::Close:
        form->Close();
        break;
    case InputKind::Expose:
    case InputKind::Resize:
        break;
    }
}

void TApplication::DispatchMouse(TForm* form, const InputEvent& event) {
    pointer_ = {event.x, event.y};
    TControl* hit = form->ControlAtPos({event.x, event.y});
    if (!hit)
        hit = form;
    TControl* target = capture_ ? capture_ : hit;
    TPoint local = target->FormToClient({event.x, event.y});
    switch (event.kind) {
    case InputKind::MouseMove:
        SetHover(hit);
        target->MouseMove(event.shift, local.x, local.y);
        break;
    case InputKind::MouseDown: {
        SetHover(hit);
        hints_->Cancel(); // after the hover: a press puts tips off until the pointer moves on
        capture_ = hit;
        for (TControl* c = hit; c; c = c->Parent())
            if (TWinControl* w = dynamic_cast<TWinControl*>(c); w && w->TabStop()) {
                w->SetFocus();
                break;
            }
        local = hit->FormToClient({event.x, event.y});
        if (capture_)
            hit->MouseDown(event.button, event.shift, local.x, local.y);
        break;
    }
    case InputKind::MouseUp:
        capture_ = nullptr;
        target->MouseUp(event.button, event.shift, local.x, local.y);
        SetHover(form->ControlAtPos({event.x, event.y}));
        break;
    case InputKind::MouseWheel:
        hints_->Cancel();
        hit->MouseWheel(event.shift, event.delta, local.x, local.y);
        break;
    default:
        break;
    }
}

void TApplication::DispatchKey(TForm* form, const InputEvent& event) {
    hints_->Cancel();
    TControl* target = form->ActiveControl() ? form->ActiveControl() : form;
    if (event.kind == InputKind::Text) {
        for (char32_t ch : DecodeUtf8(event.text))
            target->KeyPress(ch);
        return;
    }
    int key = event.key;
    if (form->KeyPreview() && target != form) {
        form->KeyDown(key, event.shift);
        if (key == 0)
            return;
    }
    target->KeyDown(key, event.shift);
    if (key == VK_TAB)
        form->SelectNext(target, (event.shift & ssShift) == 0);
}

void TApplication::SetHover(TControl* control) {
    if (control == hover_)
        return;
    TControl* old = hover_;
    hover_ = control;
    if (old)
        old->MouseLeave();
    if (control)
        control->MouseEnter();
    hints_->HoverChanged(control);
    UpdateCursor();
}

void TApplication::ForgetControl(TControl* control) {
    if (!control)
        return;
    if (hints_)
        hints_->Forget(control);
    auto inside = [control](TControl* c) {
        for (; c; c = c->Parent())
            if (c == control)
                return true;
        return false;
    };
    if (inside(capture_))
        capture_ = nullptr;
    if (inside(hover_)) {
        hover_ = nullptr;
        UpdateCursor();
    }
}

void TApplication::UpdateCursor() {
    int id = Screen ? Screen->Cursor() : crDefault;
    if (id == crDefault)
        for (TControl* c = hover_; c && id == crDefault; c = c->Parent())
            id = c->Cursor();
    if (id == shownCursor_)
        return;
    shownCursor_ = id;
    backend_->SetCursor(id, id > 0 && Screen ? Screen->CursorShape(id) : nullptr);
}
