#include "MultiView.hpp"

#include <algorithm>

TMultiView::TMultiView(TComponent* owner) : TCustomControl(owner) {}

int TMultiView::AppendImage() {
    entries_.emplace_back();
    selected_ = GetImageCount() - 1;
    Invalidate();
    return selected_;
}

int TMultiView::InsertImage(int index) {
    index = std::clamp(index, 0, GetImageCount());
    entries_.insert(entries_.begin() + index, Entry{});
    if (selected_ >= index)
        ++selected_;
    Invalidate();
    return index;
}

void TMultiView::SetImage(int i, const TBitmap& bitmap) {
    if (InRange(i))
        entries_[i].image = std::make_unique<TBitmap>(bitmap);
    Invalidate();
}

const TBitmap* TMultiView::GetImage(int i) const {
    return InRange(i) ? entries_[i].image.get() : nullptr;
}

void TMultiView::SetImageDelayTime(int i, int ms) {
    if (InRange(i))
        entries_[i].delay = ms;
}

int TMultiView::GetImageDelayTime(int i) const {
    return InRange(i) ? entries_[i].delay : 0;
}

int TMultiView::GetImageWidth(int i) const {
    const TBitmap* image = GetImage(i);
    return image ? image->Width() : 0;
}

int TMultiView::GetImageHeight(int i) const {
    const TBitmap* image = GetImage(i);
    return image ? image->Height() : 0;
}

void TMultiView::SetSelectedItem(int i) {
    if (InRange(i))
        selected_ = i;
    Invalidate();
}

void TMultiView::Clear() {
    selected_ = -1;
    entries_.clear();
    Invalidate();
}
