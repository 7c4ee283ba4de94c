#include "Exports.hpp"

#include "Dialogs.hpp"
#include "MorphPlayer_frm.hpp"
#include "MultiView.hpp"
#include "Tweenkit_frm.hpp"

#include <memory>
#include <string>

namespace {
std::string geometryPath; // set by HPI_SetGeometryFile
bool autoFit = false;     // set by HPI_SetAutoFit
} // namespace

extern "C" void HPI_STDCALL HPI_SetGeometryFile(const char* path) {
    geometryPath = path ? path : "";
}

extern "C" void HPI_STDCALL HPI_SetAutoFit(int32_t on) {
    autoFit = on != 0;
}

extern "C" int32_t HPI_STDCALL HPI_Execute(HostContext* context, HostCommand command) {
    bool hasImage = context && context->CurrentImageSlot && *context->CurrentImageSlot;
    if (!hasImage) {
        ShowMessage("No image loaded/created, execution aborted!");
        return -1;
    }
    if (!context->Sequence || !context->Sequence->FrameList) {
        ShowMessage("No video/animation sequence loaded/created, execution aborted!");
        return -2;
    }
    auto editor = std::make_unique<TfrmTweenkit>(nullptr);
    editor->Context = context;
    editor->Command = command;
    editor->GeometryPath = geometryPath;
    editor->AutoFit = autoFit;
    editor->ShowModal();
    const bool noImage = editor->NoImage();
    editor.reset();
    // The last preview's player goes with the run: the module may be unloaded next.
    delete frmMorphPlayer;
    frmMorphPlayer = nullptr;
    return noImage ? -1 : 0;
}
