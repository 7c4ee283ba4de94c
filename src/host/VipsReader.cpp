#include "MediaError.hpp"
#include "MediaReaders.hpp"
#include "VipsFrames.hpp"

#include <cstring>
#include <fstream>
#include <string>
#include <vector>

namespace {

// A truncated file is an error, not an image with a grey bottom.
VipsRef Open(const std::string& path, bool allPages) {
    VipsRef image(
        allPages
            ? vips_image_new_from_file(path.c_str(), "n", -1, "access", VIPS_ACCESS_SEQUENTIAL,
                                       "fail_on", VIPS_FAIL_ON_TRUNCATED, nullptr)
            : vips_image_new_from_file(path.c_str(), "fail_on", VIPS_FAIL_ON_TRUNCATED, nullptr));
    if (!image.get())
        throw MediaError("corrupt or truncated image: " + VipsReason());
    return image;
}

void CheckSize(VipsImage* image, int height, int64_t maxPixels) {
    const std::string reason = CheckFrameSize(vips_image_get_width(image), height, maxPixels);
    if (!reason.empty())
        throw MediaError(reason);
}

// The decoder shows the frames it finds complete; a file cut between frames would pass for a
// shorter animation. Every GIF writer ends the file with the trailer byte 0x3B.
bool EndsWithGifTrailer(const std::string& path) {
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    if (!in || in.tellg() <= 0)
        return false;
    in.seekg(-1, std::ios::end);
    return in.get() == 0x3B;
}

// PNG headers may declare sizes up to 2^31 - 1 each, more than the decoder opens at all: the
// limit is checked on the header itself, so such a file is reported as too large.
void CheckDeclaredPngSize(const std::string& path, int64_t maxPixels) {
    std::ifstream in(path, std::ios::binary);
    unsigned char head[24] = {};
    if (!in.read(reinterpret_cast<char*>(head), sizeof head) || std::memcmp(head + 12, "IHDR", 4))
        return; // the decoder reports what is wrong
    auto big = [&](int at) {
        return int64_t{head[at]} << 24 | int64_t{head[at + 1]} << 16 | head[at + 2] << 8 |
               head[at + 3];
    };
    const std::string reason = CheckFrameSize(big(16), big(20), maxPixels);
    if (!reason.empty())
        throw MediaError(reason);
}

class StillReader : public FrameReader {
public:
    StillReader(const std::string& path, int64_t maxPixels) : image_(Open(path, false)) {
        CheckSize(image_.get(), vips_image_get_height(image_.get()), maxPixels);
    }
    bool Next(TBitmap& frame, int& delayMs) override {
        if (done_)
            return false;
        VipsRef upright;
        if (vips_autorot(image_.get(), upright.out(), nullptr))
            throw MediaError("corrupt or truncated image: " + VipsReason());
        frame = FrameFromVips(upright.get());
        delayMs = 0;
        done_ = true;
        return true;
    }

private:
    VipsRef image_;
    bool done_ = false;
};

// The pages of an animation, decoded one after another from the top of the file's tall image,
// so only the frame at hand is held in memory.
class AnimationReader : public FrameReader {
public:
    AnimationReader(VipsRef image, int64_t maxPixels) : image_(std::move(image)) {
        pageHeight_ = vips_image_get_page_height(image_.get());
        pages_ = vips_image_get_height(image_.get()) / pageHeight_;
        CheckSize(image_.get(), pageHeight_, maxPixels);
        int* delays = nullptr;
        int count = 0;
        if (vips_image_get_typeof(image_.get(), "delay") &&
            vips_image_get_array_int(image_.get(), "delay", &delays, &count) == 0)
            delays_.assign(delays, delays + count);
    }
    bool Next(TBitmap& frame, int& delayMs) override {
        if (next_ >= pages_)
            return false;
        VipsRef page;
        if (vips_crop(image_.get(), page.out(), 0, next_ * pageHeight_,
                      vips_image_get_width(image_.get()), pageHeight_, nullptr))
            throw MediaError("corrupt or truncated image: " + VipsReason());
        frame = FrameFromVips(page.get());
        delayMs = next_ < static_cast<int>(delays_.size()) ? std::max(delays_[next_], 0) : 0;
        ++next_;
        return true;
    }

private:
    VipsRef image_;
    int pageHeight_ = 0;
    int pages_ = 0;
    int next_ = 0;
    std::vector<int> delays_;
};

} // namespace

std::unique_ptr<FrameReader> OpenVipsReader(const std::string& path, int64_t maxPixels) {
    StartVips();
    // The search also names blocked loaders: only ours are taken.
    const char* found = vips_foreign_find_load(path.c_str());
    const std::string loader = found ? found : "";
    vips_error_clear();
    bool ours = false;
    for (const char* name : kOpenLoaders)
        ours = ours || loader == std::string(name) + "File";
    if (!ours)
        return nullptr;
    if (loader == "VipsForeignLoadPngFile")
        CheckDeclaredPngSize(path, maxPixels);
    if (loader == "VipsForeignLoadNsgifFile" && !EndsWithGifTrailer(path))
        throw MediaError("corrupt or truncated GIF image: no end marker");
    if (loader == "VipsForeignLoadNsgifFile" || loader == "VipsForeignLoadWebpFile") {
        VipsRef all = Open(path, true);
        if (vips_image_get_n_pages(all.get()) > 1 &&
            vips_image_get_page_height(all.get()) < vips_image_get_height(all.get()))
            return std::make_unique<AnimationReader>(std::move(all), maxPixels);
    }
    return std::make_unique<StillReader>(path, maxPixels);
}
