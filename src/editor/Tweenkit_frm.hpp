// TfrmTweenkit: the modal editor window of the plug-in and its own fields.
#pragma once

#include "Form.hpp"
#include "HostRecords.hpp"
#include "WarpState.hpp"
#include "graphics/Bitmap.hpp"

class TVectView;
class TMultiView;
struct IplHeader;

class TfrmTweenkit : public TForm {
public:
    explicit TfrmTweenkit(TComponent* owner);
    ~TfrmTweenkit() override;

    void FormCreate(TObject* sender);
    void FormClose(TObject* sender, TCloseAction& action);

    // Host side, set by HPI_Execute and FormShow.
    HostContext* Context = nullptr;
    HostSequence* Sequence = nullptr;
    FrameExchange* Exchange = nullptr;
    HostCommand Command = nullptr;

    // Views and their zooms.
    TVectView* LeftView = nullptr;
    TVectView* RightView = nullptr;
    double LeftZoom = 100.0;
    double RightZoom = 100.0;
    bool MouseDown = false;
    bool WarpOnly = false;

    // Sizes of the full-size images and of the run.
    double RunScale = 1.0;
    double PreviewSide = 200.0;
    int32_t ImageWidth = 0, ImageHeight = 0, MaxX = 0, MaxY = 0;

    // The working set of one run; stale between runs.
    DIBSECTION DibScratch{};
    TBitmap* SrcBitmap = nullptr;
    TBitmap* DstBitmap = nullptr;
    TBitmap* FrameBitmap = nullptr;
    TBitmap* WarpedDstBitmap = nullptr;
    IplHeader* FrameIpl = nullptr;
    IplHeader* WarpedDstIpl = nullptr;
    HBITMAP SrcHandle{}, DstHandle{}, FrameHandle{}, WarpedDstHandle{};
    int32_t WorkWidth = 0, WorkHeight = 0, WorkMaxX = 0, WorkMaxY = 0;
    int32_t RowStride = 0, RowPad = 0;
    uint8_t* FrameBits = nullptr;
    uint8_t* WarpedDstBits = nullptr;
    uint8_t* SrcBits = nullptr;
    uint8_t* DstBits = nullptr;
    TMultiView* OutView = nullptr;
    DibInfo SrcInfo, DstInfo, FrameInfo, WarpedDstInfo;

    // The warp state record, owned by the window from FormCreate to FormClose.
    WarpObjStru* Warp = nullptr;
};
