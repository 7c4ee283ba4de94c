#include "WorkingSet.hpp"

#include "DibAccess.hpp"
#include "Tweenkit_frm.hpp"

namespace {

// A header over the pixels of info, or null when none can be made.
IplHeaderPtr HeaderOver(const DibInfo& info, int width, int height) {
    IplHeaderPtr header(MakeIplImage(width, height));
    if (header) {
        header->pixels = info.BitsOrigin;
        header->pixelsOrigin = info.BitsOrigin;
    }
    return header;
}

WorkImage ImageOf(uint8_t* bits, const TfrmTweenkit& w) {
    return WorkImage{bits, w.WorkWidth, w.WorkHeight, w.RowStride};
}

} // namespace

WorkingSet::WorkingSet(TfrmTweenkit& w) : window_(w) {
    w.WorkMaxX = w.WorkWidth - 1;
    w.WorkMaxY = w.WorkHeight - 1;
    w.SrcInfo = GetDibInfo(w.SrcHandle, w.DibScratch);
    w.SrcBits = w.SrcInfo.Bits;
    w.DstInfo = GetDibInfo(w.DstHandle, w.DibScratch);
    w.DstBits = w.DstInfo.Bits;

    frame_ = std::make_unique<TBitmap>(w.WorkWidth, w.WorkHeight, pf24bit);
    w.FrameBitmap = frame_.get();
    w.FrameHandle = frame_->Handle();
    w.FrameInfo = GetDibInfo(w.FrameHandle, w.DibScratch);
    w.FrameBits = w.FrameInfo.Bits;

    // Rows of every working image are laid out as WorkImage describes them.
    w.RowPad = RowPadFor(w.FrameInfo.Width);
    w.RowStride = RowStrideFor(w.FrameInfo.Width);

    frameIpl_ = HeaderOver(w.FrameInfo, w.WorkWidth, w.WorkHeight);
    w.FrameIpl = frameIpl_.get();

    warpedDst_ = std::make_unique<TBitmap>(w.WorkWidth, w.WorkHeight, pf24bit);
    w.WarpedDstBitmap = warpedDst_.get();
    w.WarpedDstHandle = warpedDst_->Handle();
    w.WarpedDstInfo = GetDibInfo(w.WarpedDstHandle, w.DibScratch);
    w.WarpedDstBits = w.WarpedDstInfo.Bits;

    warpedDstIpl_ = HeaderOver(w.WarpedDstInfo, w.WorkWidth, w.WorkHeight);
    w.WarpedDstIpl = warpedDstIpl_.get();
}

WorkingSet::~WorkingSet() {
    frameIpl_.reset();
    warpedDstIpl_.reset();
    window_.FrameIpl = nullptr;
    window_.WarpedDstIpl = nullptr;
    frame_.reset();
    warpedDst_.reset();
    window_.FrameBitmap = nullptr;
    window_.WarpedDstBitmap = nullptr;
    window_.FrameBits = window_.WarpedDstBits = nullptr;
}

MorphImages WorkingSet::Images() const {
    const TfrmTweenkit& w = window_;
    return MorphImages{ImageOf(w.SrcBits, w),
                       ImageOf(w.DstBits, w),
                       ImageOf(w.FrameBits, w),
                       ImageOf(w.WarpedDstBits, w),
                       w.FrameIpl,
                       w.WarpedDstIpl};
}

TBitmap* WorkingSet::BitmapOf(const WorkImage& image) const {
    if (image.bits == window_.FrameBits) {
        return frame_.get();
    }
    if (image.bits == window_.WarpedDstBits) {
        return warpedDst_.get();
    }
    return nullptr;
}
