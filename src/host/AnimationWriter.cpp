#include "MediaError.hpp"
#include "MediaWriters.hpp"
#include "StagedFile.hpp"
#include "VipsFrames.hpp"
#include "VipsLibrary.hpp"

#include <filesystem>
#include <fstream>
#include <vector>

namespace {

void TellProgress(VipsImage*, VipsProgress* done, gpointer progress) {
    (*static_cast<const std::function<void(int)>*>(progress))(done->percent);
}

// Frames go to a raw file beside the output as they come; the saver reads it back through a
// memory map as one tall image of pages, so the whole animation is never held in memory.
class AnimationWriter : public SequenceWriter {
public:
    AnimationWriter(const std::string& path, bool gif)
        : gif_(gif), output_(path), pages_(output_.Path() + ".frames") {
        StartVips();
        raw_.open(pages_, std::ios::binary | std::ios::trunc);
        if (!raw_)
            throw MediaError("cannot create file: " + pages_);
    }
    ~AnimationWriter() override {
        raw_.close();
        std::error_code ec;
        std::filesystem::remove(pages_, ec);
    }

    void Add(const TBitmap& frame, int delayMs) override {
        if (delays_.empty()) {
            width_ = frame.Width();
            height_ = frame.Height();
        }
        const std::string wrongSize =
            CheckSameSize(frame, static_cast<int>(delays_.size()), width_, height_);
        if (!wrongSize.empty())
            throw MediaError(wrongSize);
        row_.resize(size_t{3} * width_ * height_);
        CopyRgbRows(frame, row_.data());
        raw_.write(reinterpret_cast<const char*>(row_.data()),
                   static_cast<std::streamsize>(row_.size()));
        if (!raw_)
            throw MediaError("cannot write: " + pages_);
        delays_.push_back(delayMs);
    }

    void Finish(const std::function<void(int)>& progress) override {
        if (delays_.empty())
            throw MediaError("no frames to write");
        raw_.close();
        if (!raw_)
            throw MediaError("cannot write: " + pages_);
        VipsRef pages(vips_image_new_from_file_raw(
            pages_.c_str(), width_, height_ * static_cast<int>(delays_.size()), 3, 0));
        if (!pages.get())
            throw MediaError("cannot read the frames back: " + VipsReason());
        VipsRef animation;
        if (vips_copy(pages.get(), animation.out(), "interpretation", VIPS_INTERPRETATION_sRGB,
                      nullptr))
            throw MediaError(VipsReason());
        vips_image_set_int(animation.get(), "page-height", height_);
        vips_image_set_array_int(animation.get(), "delay", delays_.data(),
                                 static_cast<int>(delays_.size()));
        vips_image_set_int(animation.get(), "loop", 0); // repeat forever
        if (progress) {
            vips_image_set_progress(animation.get(), TRUE);
            g_signal_connect(animation.get(), "eval", G_CALLBACK(TellProgress),
                             const_cast<std::function<void(int)>*>(&progress));
        }
        const int failed = gif_ ? vips_gifsave(animation.get(), output_.Path().c_str(), nullptr)
                                : vips_webpsave(animation.get(), output_.Path().c_str(), "lossless",
                                                TRUE, nullptr);
        if (failed)
            throw MediaError("cannot encode: " + VipsReason());
        output_.Commit();
    }

private:
    bool gif_;
    StagedFile output_;
    std::string pages_;
    std::ofstream raw_;
    std::vector<uint8_t> row_;
    std::vector<int> delays_;
    int width_ = 0, height_ = 0;
};

} // namespace

std::unique_ptr<SequenceWriter> OpenAnimationWriter(const std::string& path, bool gif) {
    return std::make_unique<AnimationWriter>(path, gif);
}
