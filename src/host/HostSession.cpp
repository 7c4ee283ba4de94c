#include "HostSession.hpp"

#include <stdexcept>

namespace {
HostSession* current = nullptr;
}

HostSession::HostSession(TMultiView& frames) : frames_(frames) {
    if (current)
        throw std::logic_error("one host session at a time");
    current = this;
    runStart_ = frames_.SelectedItem();
    current_ = frames_.GetImage(runStart_);
    currentImage_ = current_.get();
    sequence_.FrameList = frames_.GetImageCount() > 0 ? &frames_ : nullptr;
    context_.CurrentImageSlot = &currentImage_;
    context_.Sequence = &sequence_;
    context_.Exchange = &exchange_;
}

HostSession::~HostSession() {
    current = nullptr;
}

void HostSession::SetStill(bool still) {
    sequence_.FrameList = still || frames_.GetImageCount() == 0 ? nullptr : &frames_;
}

int32_t HostSession::Callback(int32_t code) {
    return current ? current->Command(code) : 0;
}

int32_t HostSession::Command(int32_t code) {
    switch (code) {
    case kCmdGetFrame: {
        lent_ = frames_.GetImage(exchange_.FrameIndex);
        exchange_.Graphic = lent_.get();
        return lent_ ? 1 : 0;
    }
    case kCmdReleaseFrame:
        lent_.reset();
        exchange_.Graphic = nullptr;
        return 1;
    case kCmdPutMorphFrame:
    case kCmdPutWarpFrame: {
        if (!exchange_.Graphic)
            return 0;
        // The module reuses its bitmap: take a copy now. New frames follow the
        // selected one in the order they arrive.
        int index = frames_.InsertImage(runStart_ + 1 + inserted_++);
        frames_.SetImage(index, *exchange_.Graphic);
        frames_.SetImageDelayTime(index, exchange_.Delay * 10);
        if (OnFrameInserted)
            OnFrameInserted(index, *exchange_.Graphic);
        return 1;
    }
    default:
        return 0;
    }
}
