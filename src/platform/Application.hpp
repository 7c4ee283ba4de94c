// TApplication: the one event queue, window list, timer list and modal loop
// nesting of the process. Host and module share it through the shared platform
// library, as they would share one desktop.
#pragma once

#include "Component.hpp"
#include "backends/Backend.hpp"

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

class TForm;
class TControl;
class TTimer;
class THintController;

// Something that feeds user actions into the application when it is idle (a script).
class TInputScript {
public:
    virtual ~TInputScript() = default;
    // Performs the next action; false when nothing is left.
    virtual bool Step() = 0;
};

class TApplication : public TComponent {
public:
    explicit TApplication(std::unique_ptr<Backend> backend);
    ~TApplication() override;

    Backend& backend() { return *backend_; }
    int64_t NowMs() { return backend_->NowMs(); }

    // Handles one thing: a queued event, else a pending paint, else the next
    // script action, else waits for input or the next timer.
    void HandleMessage();
    // Handles everything that is already there, without waiting.
    void ProcessMessages();
    // Queues a call to run on the GUI thread after what is queued already.
    void Post(std::function<void()> call);
    // Queues raw input as if it came from the backend.
    void PostInput(const InputEvent& event);

    // Forms, bottom to top.
    const std::vector<TForm*>& Forms() const { return forms_; }
    TForm* TopForm() const;
    TForm* FindForm(const std::string& name) const;
    void AddForm(TForm* form);
    void RemoveForm(TForm* form);
    void BringFormToTop(TForm* form);

    // Modal loops, innermost last. Nesting is bounded.
    void EnterModal(TForm* form);
    void LeaveModal(TForm* form);
    int ModalDepth() const { return static_cast<int>(modal_.size()); }
    static constexpr int kMaxModalDepth = 16;

    // Timers due at deadlines of the backend's clock.
    void ScheduleTimer(TTimer* timer, int64_t deadline);
    void CancelTimer(TTimer* timer);
    // A script's wait: no further script action before this time.
    void WaitUntil(int64_t deadline) { scriptWait_ = deadline; }

    // Pointer, capture and focus bookkeeping.
    TControl* Captured() const { return capture_; }
    TControl* Hovered() const { return hover_; }
    TPoint PointerPos() const { return pointer_; }
    // Called by a control that goes away or becomes unable to take input.
    void ForgetControl(TControl* control);
    // Shows the cursor that applies now (the screen cursor, else the hovered control's).
    void UpdateCursor();
    // The cursor id last sent to the backend.
    int ShownCursor() const { return shownCursor_; }
    // Tool tips of hovered controls.
    THintController& Hints() { return *hints_; }

    // Scripted input and its outcome.
    void SetScript(std::unique_ptr<TInputScript> script);
    // Reports a failure of the scripted session once and closes every window.
    void Fail(const std::string& message, int exitCode);
    int ExitCode() const { return exitCode_; }

private:
    void Dispatch(const InputEvent& event);
    void DispatchMouse(TForm* form, const InputEvent& event);
    void DispatchKey(TForm* form, const InputEvent& event);
    void SetHover(TControl* control);
    bool AcceptsInput(TForm* form) const;
    void FireDueTimers();
    std::optional<int64_t> NextDeadline() const;
    bool TimerAlive(TTimer* timer);
    void CloseTopForm();

    std::unique_ptr<Backend> backend_;
    std::deque<std::function<void()>> queue_;
    std::vector<TForm*> forms_;
    std::vector<TForm*> modal_;
    std::map<TTimer*, int64_t> timers_;
    std::set<TTimer*> liveTicks_; // timers with a queued tick that may still run
    std::optional<int64_t> scriptWait_;
    std::unique_ptr<TInputScript> script_;
    std::unique_ptr<THintController> hints_;
    bool scriptDone_ = true;
    TControl* capture_ = nullptr;
    TControl* hover_ = nullptr;
    TPoint pointer_{0, 0};
    int shownCursor_ = kNoCursorShown;
    int exitCode_ = 0;
    static constexpr int kNoCursorShown = 0x7fffffff;
};

// The process's application object; null until the host creates one.
extern TApplication* Application;
