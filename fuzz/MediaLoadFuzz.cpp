// Fuzz target: a file opened by one of the host's media readers (MEDIA_OPEN names it: libvips
// for stills and animations, FFmpeg for video) and read to its last frame. Whatever the bytes,
// the reader refuses with one MediaError line or gives 24-bit frames within the pixel limit;
// it never crashes, reads outside a buffer or allocates for a huge declared size.
#include "FuzzScratchFile.hpp"
#include "MediaError.hpp"
#include "MediaReaders.hpp"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

constexpr int64_t kFuzzPixelLimit = int64_t{1} << 20;
// Enough for every seed; a longer animation is cut short so one input stays quick.
constexpr int kMostFrames = 64;

[[noreturn]] void Fault(const std::string& what) {
    std::fprintf(stderr, "media load: %s\n", what.c_str());
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const FuzzScratchFile scratch("media");
    if (!scratch.Write(data, size))
        Fault("cannot write the scratch file");
    try {
        const auto reader = MEDIA_OPEN(scratch.Path(), kFuzzPixelLimit);
        if (!reader)
            return 0; // not a file this reader takes
        TBitmap frame;
        int delayMs = 0;
        for (int i = 0; i < kMostFrames && reader->Next(frame, delayMs); ++i) {
            if (frame.PixelFormat() != pf24bit || frame.Width() <= 0 || frame.Height() <= 0 ||
                int64_t{frame.Width()} * frame.Height() > kFuzzPixelLimit)
                Fault("a frame is empty, above the limit or not 24-bit");
            if (delayMs < 0)
                Fault("a negative delay");
        }
    } catch (const MediaError& refused) {
        const std::string reason = refused.what();
        if (reason.empty() || reason.find('\n') != std::string::npos)
            Fault("a refusal without one line of reason: " + reason);
    }
    return 0;
}
