// Fuzz target: an image file opened as the host opens it (LoadFrames, with the frame pixel
// limit). Whatever the bytes, the load either appends one frame within the limit or refuses
// with one "FILE: reason" message; it never crashes, reads outside a buffer or allocates for a
// huge declared size.
#include "Application.hpp"
#include "FuzzScratchFile.hpp"
#include "MultiView.hpp"
#include "SequenceFiles.hpp"
#include "backends/headless/HeadlessBackend.hpp"

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <stdexcept>
#include <string>

namespace {

// Small enough that a lying header is refused long before memory runs short, large enough for
// every seed.
constexpr int64_t kFuzzPixelLimit = int64_t{1} << 20;

[[noreturn]] void Fault(const std::string& what) {
    std::fprintf(stderr, "image load: %s\n", what.c_str());
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static TApplication app(std::make_unique<HeadlessBackend>());
    static const FuzzScratchFile scratch("image");
    if (!scratch.Write(data, size))
        Fault("cannot write the scratch file");

    TMultiView frames(nullptr);
    try {
        LoadFrames({scratch.Path()}, frames, kFuzzPixelLimit);
    } catch (const std::runtime_error& refused) {
        const std::string message = refused.what();
        if (message.rfind(scratch.Path() + ": ", 0) != 0 || message.find('\n') != std::string::npos)
            Fault("refusal without one FILE: reason line: " + message);
        if (frames.GetImageCount() != 0)
            Fault("a refused file left a frame behind");
        return 0;
    }
    const auto image = frames.GetImage(0);
    if (frames.GetImageCount() != 1 || !image || image->PixelFormat() != pf24bit)
        Fault("a loaded file did not become one 24-bit frame");
    if (image->Width() <= 0 || image->Height() <= 0 ||
        int64_t{image->Width()} * image->Height() > kFuzzPixelLimit)
        Fault("a loaded frame is empty or above the limit");
    return 0;
}
