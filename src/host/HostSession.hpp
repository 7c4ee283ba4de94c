// The host's side of one run of the module: its records, its frame list and
// the command callback that lends frames and takes new ones.
#pragma once

#include "HostRecords.hpp"
#include "MultiView.hpp"

#include <functional>
#include <memory>

class HostSession {
public:
    // Serves the module on frames; the selected frame is where a run begins.
    explicit HostSession(TMultiView& frames);
    ~HostSession();

    // The context to pass; still: a current image but no V/A sequence.
    HostContext* Context() { return &context_; }
    void SetStill(bool still);
    // Told of each frame the module hands over, with the index it was inserted at.
    std::function<void(int index, const TBitmap& frame)> OnFrameInserted;
    // Handles one command of the module.
    int32_t Command(int32_t code);
    // The callback to pass to the module (it reaches the current session).
    static int32_t HPI_STDCALL Callback(int32_t code);

private:
    TMultiView& frames_;
    HostContext context_{};
    HostSequence sequence_{};
    FrameExchange exchange_{};
    std::unique_ptr<TBitmap> current_; // a copy of the selected frame, for the context
    void* currentImage_ = nullptr;
    std::unique_ptr<TBitmap> lent_; // what command 8 lent until command 9
    int runStart_ = 0;              // the selected frame when the run began
    int inserted_ = 0;              // frames taken so far
};
