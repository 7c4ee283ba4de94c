#pragma once

// Receives the frames of a morph sequence; the editor binds its frame output and progress
// bar here.
class FrameSink {
public:
    virtual ~FrameSink() = default;

    // Takes the finished frame, which is in MorphImages::frame.
    virtual void EmitFrame() = 0;

    // Advances the progress display by one frame; called after each EmitFrame.
    virtual void StepProgress() = 0;
};
