#include "MediaError.hpp"
#include "MediaReaders.hpp"
#include "graphics/ImageFile.hpp"

namespace {

class BmpReader : public FrameReader {
public:
    BmpReader(std::string path, int64_t maxPixels) : path_(std::move(path)), max_(maxPixels) {}
    bool Next(TBitmap& frame, int& delayMs) override {
        if (done_)
            return false;
        std::string error;
        if (!LoadImageFile(path_, frame, error, max_))
            throw MediaError(error);
        frame.SetPixelFormat(pf24bit);
        delayMs = 0;
        done_ = true;
        return true;
    }

private:
    std::string path_;
    int64_t max_;
    bool done_ = false;
};

} // namespace

std::unique_ptr<FrameReader> OpenBmpReader(const std::string& path, int64_t maxPixels) {
    return std::make_unique<BmpReader>(path, maxPixels);
}
