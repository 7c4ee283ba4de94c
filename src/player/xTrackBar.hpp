// TxTrackBar: the platform track bar with its selection band made optional. EnableSelRange
// decides whether the control is created with the selection-range style; changing it
// re-creates the control at once, or once loading has finished.
#pragma once

#include "controls/TrackBar.hpp"

class TxTrackBar : public TTrackBar {
public:
    explicit TxTrackBar(TComponent* owner) : TTrackBar(owner) {}

    // Draw the selection band [false].
    bool EnableSelRange() const { return enableSelRange_; }
    void SetEnableSelRange(bool enable);

    // Between these two, as while a form is being read in, property changes only store.
    void BeginLoading() { loading_ = true; }
    void Loaded();
    bool Loading() const { return loading_; }

protected:
    void CreateParams(TCreateParams& params) const override;

private:
    bool enableSelRange_ = false;
    bool loading_ = false;
};
