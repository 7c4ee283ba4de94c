#include "xTrackBar.hpp"

void TxTrackBar::SetEnableSelRange(bool enable) {
    if (enable == enableSelRange_)
        return;
    enableSelRange_ = enable;
    // A control not made yet takes the style when it is made.
    if (!loading_ && HandleAllocated())
        RecreateWnd();
}

void TxTrackBar::Loaded() {
    loading_ = false;
    if (HandleAllocated() && HasSelRangeStyle() != enableSelRange_)
        RecreateWnd();
}

void TxTrackBar::CreateParams(TCreateParams& params) const {
    TTrackBar::CreateParams(params);
    params.selRange = enableSelRange_;
}
