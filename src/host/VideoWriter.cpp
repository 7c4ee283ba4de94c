#include "Bitmap24.hpp"
#include "FfmpegLibrary.hpp"
#include "MediaError.hpp"
#include "MediaWriters.hpp"
#include "StagedFile.hpp"

extern "C" {
#include <libavutil/opt.h>
}

#include <map>
#include <memory>
#include <vector>

namespace {

// A frame without a delay is shown this long, as viewers show a GIF frame of delay 0.
constexpr int kDefaultDelayMs = 100;

struct CodecFreer {
    void operator()(AVCodecContext* p) const { avcodec_free_context(&p); }
};
struct FrameFreer {
    void operator()(AVFrame* p) const { av_frame_free(&p); }
};
struct PacketFreer {
    void operator()(AVPacket* p) const { av_packet_free(&p); }
};
struct ScaleFreer {
    void operator()(SwsContext* p) const { sws_freeContext(p); }
};
struct OutputFreer {
    void operator()(AVFormatContext* p) const {
        if (p->pb)
            avio_closep(&p->pb);
        avformat_free_context(p);
    }
};

// Timestamps in milliseconds, each frame starting where the one before ends (no frame is
// repeated to fill a delay). Sizes are made even by black pixels on the right and bottom,
// as yuv420p needs.
class VideoWriter : public SequenceWriter {
public:
    VideoWriter(const std::string& path, bool mp4) : mp4_(mp4), output_(path) { QuietFfmpeg(); }

    void Add(const TBitmap& frame, int delayMs) override {
        if (!codec_)
            Start(frame.Width(), frame.Height());
        const std::string wrongSize = CheckSameSize(frame, count_, width_, height_);
        if (!wrongSize.empty())
            throw MediaError(wrongSize);
        if (av_frame_make_writable(yuv_.get()) < 0)
            throw MediaError("out of memory");
        ToYuv(frame);
        const int64_t held = delayMs > 0 ? delayMs : kDefaultDelayMs;
        yuv_->pts = nextPts_;
        durations_[nextPts_] = held;
        nextPts_ += held;
        ++count_;
        Encode(yuv_.get());
    }

    void Finish(const std::function<void(int)>&) override {
        if (!codec_)
            throw MediaError("no frames to write");
        Encode(nullptr);
        if (av_write_trailer(format_.get()) < 0)
            throw MediaError("cannot write the video's index");
        if (avio_closep(&format_->pb) < 0)
            throw MediaError("cannot write: " + output_.Path());
        output_.Commit();
    }

private:
    void Start(int w, int h) {
        width_ = w;
        height_ = h;
        AVFormatContext* format = nullptr;
        avformat_alloc_output_context2(&format, nullptr, mp4_ ? "mp4" : "webm",
                                       output_.Path().c_str());
        if (!format)
            throw MediaError("cannot start the video file");
        format_.reset(format);
        const AVCodec* encoder = avcodec_find_encoder_by_name(mp4_ ? "libx264" : "libvpx");
        if (!encoder)
            throw MediaError(std::string("no ") + (mp4_ ? "H.264" : "VP8") + " encoder");
        AVStream* stream = avformat_new_stream(format, nullptr);
        codec_.reset(avcodec_alloc_context3(encoder));
        if (!stream || !codec_)
            throw MediaError("out of memory");
        codec_->width = (w + 1) & ~1;
        codec_->height = (h + 1) & ~1;
        codec_->pix_fmt = AV_PIX_FMT_YUV420P;
        codec_->time_base = AVRational{1, 1000};
        codec_->framerate = AVRational{0, 1}; // variable: the delays set the timing
        codec_->max_b_frames = 0;             // frames leave in the order they came
        codec_->colorspace = AVCOL_SPC_SMPTE170M;
        codec_->color_primaries = AVCOL_PRI_SMPTE170M;
        codec_->color_trc = AVCOL_TRC_SMPTE170M;
        codec_->color_range = AVCOL_RANGE_MPEG;
        codec_->thread_count = 0;
        if (mp4_) {
            av_opt_set(codec_->priv_data, "preset", "veryfast", 0);
            av_opt_set(codec_->priv_data, "crf", "18", 0);
        } else {
            codec_->bit_rate = 8'000'000; // a ceiling for the constant quality below
            av_opt_set(codec_->priv_data, "crf", "6", 0);
            av_opt_set(codec_->priv_data, "deadline", "good", 0);
            av_opt_set(codec_->priv_data, "cpu-used", "4", 0);
        }
        if (format->oformat->flags & AVFMT_GLOBALHEADER)
            codec_->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
        if (avcodec_open2(codec_.get(), encoder, nullptr) < 0)
            throw MediaError("cannot start the video encoder");
        if (avcodec_parameters_from_context(stream->codecpar, codec_.get()) < 0)
            throw MediaError("out of memory");
        stream->time_base = codec_->time_base;
        stream_ = stream;
        if (avio_open(&format->pb, output_.Path().c_str(), AVIO_FLAG_WRITE) < 0)
            throw MediaError("cannot create file: " + output_.Path());
        if (avformat_write_header(format, nullptr) < 0)
            throw MediaError("cannot write the video's header");

        yuv_.reset(av_frame_alloc());
        packet_.reset(av_packet_alloc());
        if (!yuv_ || !packet_)
            throw MediaError("out of memory");
        yuv_->format = AV_PIX_FMT_YUV420P;
        yuv_->width = codec_->width;
        yuv_->height = codec_->height;
        yuv_->colorspace = codec_->colorspace;
        yuv_->color_range = codec_->color_range;
        if (av_frame_get_buffer(yuv_.get(), 0) < 0)
            throw MediaError("out of memory");
        // Black padding, and slack for swscale reading a little past the last row.
        padded_.assign(size_t{3} * codec_->width * codec_->height + 64, 0);
        scale_.reset(sws_getContext(codec_->width, codec_->height, AV_PIX_FMT_BGR24, codec_->width,
                                    codec_->height, AV_PIX_FMT_YUV420P,
                                    SWS_BICUBIC | SWS_ACCURATE_RND, nullptr, nullptr, nullptr));
        if (!scale_)
            throw MediaError("cannot convert to yuv420p");
        SetColourDetails(scale_.get(), codec_->colorspace, codec_->color_range, true);
    }

    void ToYuv(const TBitmap& frame) {
        TBitmap scratch;
        const TBitmap* source = &As24Bit(frame, scratch);
        const int stride = 3 * codec_->width;
        for (int y = 0; y < height_; ++y)
            std::copy_n(source->ScanLine(y), 3 * width_, padded_.data() + size_t(y) * stride);
        const uint8_t* planes[4] = {padded_.data(), nullptr, nullptr, nullptr};
        const int strides[4] = {stride, 0, 0, 0};
        sws_scale(scale_.get(), planes, strides, 0, codec_->height, yuv_->data, yuv_->linesize);
    }

    // Sends a frame (null: the end) and writes every packet the encoder has ready.
    void Encode(AVFrame* frame) {
        if (avcodec_send_frame(codec_.get(), frame) < 0)
            throw MediaError("the video encoder refused a frame");
        for (;;) {
            const int got = avcodec_receive_packet(codec_.get(), packet_.get());
            if (got == AVERROR(EAGAIN) || got == AVERROR_EOF)
                return;
            if (got < 0)
                throw MediaError("the video encoder failed: " + FfmpegReason(got));
            const auto held = durations_.find(packet_->pts);
            if (held != durations_.end())
                packet_->duration = held->second;
            av_packet_rescale_ts(packet_.get(), codec_->time_base, stream_->time_base);
            packet_->stream_index = stream_->index;
            const int wrote = av_interleaved_write_frame(format_.get(), packet_.get());
            av_packet_unref(packet_.get());
            if (wrote < 0)
                throw MediaError("cannot write: " + FfmpegReason(wrote));
        }
    }

    bool mp4_;
    StagedFile output_;
    std::unique_ptr<AVFormatContext, OutputFreer> format_;
    std::unique_ptr<AVCodecContext, CodecFreer> codec_;
    std::unique_ptr<AVFrame, FrameFreer> yuv_;
    std::unique_ptr<AVPacket, PacketFreer> packet_;
    std::unique_ptr<SwsContext, ScaleFreer> scale_;
    AVStream* stream_ = nullptr;
    std::vector<uint8_t> padded_;
    std::map<int64_t, int64_t> durations_; // by start time, for the packets
    int width_ = 0, height_ = 0;
    int count_ = 0;
    int64_t nextPts_ = 0;
};

} // namespace

std::unique_ptr<SequenceWriter> OpenVideoWriter(const std::string& path, bool mp4) {
    return std::make_unique<VideoWriter>(path, mp4);
}
