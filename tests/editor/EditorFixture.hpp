// An editor window on a headless application, shown on frames that a fake host
// lends through commands 8 and 9 and collects through commands 6 and 7.
#pragma once

#include "Application.hpp"
#include "HostRecords.hpp"
#include "MorphPlayer_frm.hpp"
#include "MultiView.hpp"
#include "Tweenkit_frm.hpp"
#include "VectView.hpp"
#include "backends/headless/HeadlessBackend.hpp"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

// A host that lends its frames and keeps what the module sends back.
class FakeHost {
public:
    FakeHost() { current_ = this; }
    ~FakeHost() { current_ = nullptr; }

    // Appends a frame of width x height filled with colour.
    void AddFrame(int width, int height, TColor colour) {
        TBitmap frame(width, height, pf24bit);
        frame.Canvas().Brush.Color = colour;
        frame.Canvas().FillRect(TRect{0, 0, width, height});
        frames.push_back(frame);
        list.AppendImage();
    }

    static int32_t HPI_STDCALL Command(int32_t code) {
        FakeHost& host = *current_;
        host.commands.push_back(code);
        switch (code) {
        case kCmdGetFrame: {
            const int index = host.exchange.FrameIndex;
            const bool valid = index >= 0 && index < static_cast<int>(host.frames.size());
            host.exchange.Graphic = valid && host.lendImages ? &host.frames[index] : nullptr;
            break;
        }
        case kCmdReleaseFrame:
            host.exchange.Graphic = nullptr;
            break;
        case kCmdPutMorphFrame:
        case kCmdPutWarpFrame:
            host.received.push_back(*host.exchange.Graphic);
            host.receivedIndex.push_back(host.exchange.FrameIndex);
            host.receivedDelay.push_back(host.exchange.Delay);
            host.list.AppendImage();
            break;
        default:
            break;
        }
        return 0;
    }

    std::vector<TBitmap> frames;
    TMultiView list{nullptr};
    HostSequence sequence{0, &list};
    FrameExchange exchange{};
    void* image = this;
    HostContext context{&image, {}, &sequence, &exchange};
    bool lendImages = true;
    std::vector<int32_t> commands;
    std::vector<TBitmap> received;
    std::vector<int> receivedIndex, receivedDelay;

private:
    static inline FakeHost* current_ = nullptr;
};

class EditorTest : public ::testing::Test {
protected:
    // The module frees the last preview's player when HPI_Execute ends; so does a test.
    ~EditorTest() override {
        editor.reset();
        delete frmMorphPlayer;
        frmMorphPlayer = nullptr;
    }
    // Opens the editor on the host's frames with frame `selected` as the start.
    void Open(int selected = 0) {
        host.list.SetSelectedItem(selected);
        editor = std::make_unique<TfrmTweenkit>(nullptr);
        editor->Context = &host.context;
        editor->Command = &FakeHost::Command;
        editor->Show();
    }
    // Mouse actions in image pixels of view, through the window's routing.
    void Press(TVectView* view, int x, int y) {
        editor->VectViewMouseDown(view, mbLeft, 0, view->XBmp2Scr(x), view->YBmp2Scr(y));
    }
    void Move(TVectView* view, int x, int y) {
        editor->VectViewMouseMove(view, 0, view->XBmp2Scr(x), view->YBmp2Scr(y));
    }
    void Release(TVectView* view, int x, int y) {
        editor->VectViewMouseUp(view, mbLeft, 0, view->XBmp2Scr(x), view->YBmp2Scr(y));
    }
    // A mouse click in the middle of a control, as a user makes it.
    static void Click(TControl* control) {
        const int x = control->Width() / 2, y = control->Height() / 2;
        control->MouseDown(mbLeft, 0, x, y);
        control->MouseUp(mbLeft, 0, x, y);
    }
    void Drag(TVectView* view, int x1, int y1, int x2, int y2) {
        Move(view, x1, y1);
        Press(view, x1, y1);
        Move(view, x2, y2);
        Release(view, x2, y2);
    }

    TApplication app{std::make_unique<HeadlessBackend>()};
    FakeHost host;
    std::unique_ptr<TfrmTweenkit> editor;
};
