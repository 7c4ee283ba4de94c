// TMultiView: an ordered list of images, each with a delay time, owned by the
// view. The host keeps its V/A sequence in one; the preview player shows and
// plays its frames from another.
#pragma once

#include "Control.hpp"
#include "graphics/Bitmap.hpp"

#include <memory>
#include <vector>

class TMultiView : public TCustomControl {
public:
    explicit TMultiView(TComponent* owner);

    // Appends an entry without an image and selects it; returns its index.
    int AppendImage();
    // Inserts an entry without an image at index (clamped to 0..count); returns the index used.
    int InsertImage(int index);
    // Stores a copy of bitmap in entry i (format, size and pixels as they are); i >= count is
    // ignored.
    void SetImage(int i, const TBitmap& bitmap);
    // The stored image of entry i, or null when there is none.
    const TBitmap* GetImage(int i) const;
    // Delay of entry i in milliseconds; out-of-range indices are ignored and read 0.
    void SetImageDelayTime(int i, int ms);
    int GetImageDelayTime(int i) const;
    int GetImageCount() const { return static_cast<int>(entries_.size()); }
    // Size of the stored image of entry i; 0 when out of range or without an image.
    int GetImageWidth(int i) const;
    int GetImageHeight(int i) const;
    // Index of the selected image, -1 when none.
    int SelectedItem() const { return selected_; }
    // Selects entry i when it exists; other indices leave the selection alone.
    void SetSelectedItem(int i);
    // Deselects and deletes every entry.
    void Clear();

private:
    struct Entry {
        std::unique_ptr<TBitmap> image;
        int delay = 0;
    };
    bool InRange(int i) const { return i >= 0 && i < GetImageCount(); }
    std::vector<Entry> entries_;
    int selected_ = -1;
};
