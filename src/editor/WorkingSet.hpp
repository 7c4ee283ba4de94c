// The working set of one morph run: builds the frame and warped-destination
// images and their headers into the editor's run fields, and releases all it
// made when it goes out of scope, whichever way the run ends.
#pragma once

#include "IplHeader.hpp"
#include "MorphImages.hpp"
#include "graphics/Bitmap.hpp"

#include <memory>

class TfrmTweenkit;

class WorkingSet {
public:
    // Expects WorkWidth, WorkHeight, SrcHandle and DstHandle of the window to be set.
    explicit WorkingSet(TfrmTweenkit& window);
    // Frees the headers, then the two images, and clears the window's pointers to them.
    ~WorkingSet();
    WorkingSet(const WorkingSet&) = delete;
    WorkingSet& operator=(const WorkingSet&) = delete;

    // The run's four images and two headers as the sequences take them.
    MorphImages Images() const;

    // The bitmap of the working set whose pixels image describes, or null for none.
    TBitmap* BitmapOf(const WorkImage& image) const;

private:
    TfrmTweenkit& window_;
    std::unique_ptr<TBitmap> frame_;
    std::unique_ptr<TBitmap> warpedDst_;
    IplHeaderPtr frameIpl_;
    IplHeaderPtr warpedDstIpl_;
};
