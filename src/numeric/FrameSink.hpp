#pragma once

#include <cstdint>

#include "WorkImage.hpp"

// Receives the frames of a morph sequence; the editor binds its frame output and progress
// bar here.
class FrameSink {
public:
    virtual ~FrameSink() = default;

    // Takes finished frame number index (1 for the first frame the sequence generates). The
    // pixels are the sequence's until the call returns: copy what is to be kept.
    virtual void EmitFrame(const WorkImage& frame, int64_t index) = 0;

    // Advances the progress display by one frame; called after each EmitFrame.
    virtual void StepProgress() = 0;
};
