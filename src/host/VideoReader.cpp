#include "FfmpegLibrary.hpp"
#include "MediaError.hpp"
#include "MediaReaders.hpp"

#include <algorithm>
#include <memory>
#include <vector>

namespace {

template <class T, void (*Free)(T**)> struct Freer {
    void operator()(T* p) const { Free(&p); }
};
using FramePtr = std::unique_ptr<AVFrame, Freer<AVFrame, av_frame_free>>;
using PacketPtr = std::unique_ptr<AVPacket, Freer<AVPacket, av_packet_free>>;
struct ScaleFreer {
    void operator()(SwsContext* p) const { sws_freeContext(p); }
};
using ScalePtr = std::unique_ptr<SwsContext, ScaleFreer>;
using CodecPtr = std::unique_ptr<AVCodecContext, Freer<AVCodecContext, avcodec_free_context>>;

// Every frame of the video's first video stream, each held until the next one starts. Frames
// whose size differs from the first frame's are scaled to it: a sequence has one frame size.
class VideoReader : public FrameReader {
public:
    VideoReader(const std::string& path, int64_t maxPixels) : max_(maxPixels) {
        QuietFfmpeg();
        AVFormatContext* opening = avformat_alloc_context();
        if (!opening)
            throw MediaError("out of memory");
        opening->format_whitelist = av_strdup(kVideoFormats);
        opening->protocol_whitelist = av_strdup("file");
        opening->codec_whitelist = av_strdup(kVideoDecoders);
        // avformat_open_input frees the context when it fails.
        if (avformat_open_input(&opening, path.c_str(), nullptr, nullptr) < 0)
            throw MediaError("not a supported image or video");
        format_.reset(opening);
        if (avformat_find_stream_info(format_.get(), nullptr) < 0)
            throw MediaError("corrupt or truncated video");
        const AVCodec* decoder = nullptr;
        stream_ = av_find_best_stream(format_.get(), AVMEDIA_TYPE_VIDEO, -1, -1, &decoder, 0);
        if (stream_ == AVERROR_DECODER_NOT_FOUND)
            throw MediaError("unsupported video codec");
        if (stream_ < 0)
            throw MediaError("holds no video stream");
        const AVStream* stream = format_->streams[stream_];
        const std::string tooLarge =
            CheckFrameSize(stream->codecpar->width, stream->codecpar->height, max_);
        if (!tooLarge.empty())
            throw MediaError(tooLarge);
        timeBase_ = stream->time_base;
        codec_.reset(avcodec_alloc_context3(decoder));
        if (!codec_ || avcodec_parameters_to_context(codec_.get(), stream->codecpar) < 0)
            throw MediaError("out of memory");
        codec_->thread_count = 0; // as many as the machine has
        codec_->codec_whitelist = av_strdup(kVideoDecoders);
        if (avcodec_open2(codec_.get(), decoder, nullptr) < 0)
            throw MediaError("unsupported video codec");
        packet_.reset(av_packet_alloc());
        decoded_.reset(av_frame_alloc());
        if (!packet_ || !decoded_)
            throw MediaError("out of memory");
    }

    bool Next(TBitmap& frame, int& delayMs) override {
        if (!havePending_ && !DecodeInto(pending_, pendingMs_, pendingDurationMs_))
            return false;
        TBitmap next;
        int64_t nextMs = 0, nextDurationMs = 0;
        const bool more = DecodeInto(next, nextMs, nextDurationMs);
        const int64_t held = more ? nextMs - pendingMs_ : LastFrameHeld();
        delayMs = static_cast<int>(std::clamp<int64_t>(held, 0, 3'600'000));
        frame = std::move(pending_);
        havePending_ = more;
        if (more) {
            pending_ = std::move(next);
            pendingMs_ = nextMs;
            pendingDurationMs_ = nextDurationMs;
        }
        return true;
    }

private:
    // Decodes the next frame into out with its start and duration in ms; false at the end.
    bool DecodeInto(TBitmap& out, int64_t& startMs, int64_t& durationMs) {
        for (;;) {
            const int received = avcodec_receive_frame(codec_.get(), decoded_.get());
            if (received == 0)
                break;
            if (received == AVERROR_EOF)
                return false;
            if (received != AVERROR(EAGAIN))
                throw MediaError("corrupt video frame: " + FfmpegReason(received));
            const int read = av_read_frame(format_.get(), packet_.get());
            if (read == AVERROR_EOF) {
                avcodec_send_packet(codec_.get(), nullptr); // drain the decoder
                continue;
            }
            if (read < 0)
                throw MediaError("corrupt or truncated video: " + FfmpegReason(read));
            const int sent = packet_->stream_index == stream_
                                 ? avcodec_send_packet(codec_.get(), packet_.get())
                                 : 0;
            av_packet_unref(packet_.get());
            if (sent < 0 && sent != AVERROR(EAGAIN))
                throw MediaError("corrupt video frame: " + FfmpegReason(sent));
        }
        AVFrame* f = decoded_.get();
        const std::string tooLarge = CheckFrameSize(f->width, f->height, max_);
        if (!tooLarge.empty())
            throw MediaError(tooLarge);
        if (width_ == 0) {
            width_ = f->width;
            height_ = f->height;
        }
        const int64_t ts = f->best_effort_timestamp;
        startMs = ts == AV_NOPTS_VALUE ? lastMs_ + lastDurationMs_
                                       : av_rescale_q(ts, timeBase_, AVRational{1, 1000});
        durationMs =
            f->pkt_duration > 0 ? av_rescale_q(f->pkt_duration, timeBase_, AVRational{1, 1000}) : 0;
        lastDurationMs_ = startMs - lastMs_ > 0 ? startMs - lastMs_ : lastDurationMs_;
        lastMs_ = startMs;
        ToBitmap(f, out);
        av_frame_unref(f);
        return true;
    }

    // How long the last frame is held: its own duration, else until the end the container
    // states, else as long as the frame before it.
    int64_t LastFrameHeld() const {
        if (pendingDurationMs_ > 0)
            return pendingDurationMs_;
        const int64_t endMs = format_->duration > 0 ? format_->duration / (AV_TIME_BASE / 1000) : 0;
        return endMs > pendingMs_ ? endMs - pendingMs_ : lastDurationMs_;
    }

    void ToBitmap(const AVFrame* f, TBitmap& out) {
        scale_.reset(sws_getCachedContext(
            scale_.release(), f->width, f->height, static_cast<AVPixelFormat>(f->format), width_,
            height_, AV_PIX_FMT_BGR24, SWS_BICUBIC | SWS_ACCURATE_RND, nullptr, nullptr, nullptr));
        if (!scale_)
            throw MediaError("unsupported pixel format of the video");
        SetColourDetails(scale_.get(), f->colorspace, f->color_range, false);
        // swscale may write a little past a row's end: it fills a padded buffer of its own,
        // copied into the bitmap row by row.
        const int rowBytes = 3 * width_;
        const int stride = (rowBytes + 63) & ~63;
        scaled_.resize(size_t(stride) * height_ + 64);
        uint8_t* planes[4] = {scaled_.data(), nullptr, nullptr, nullptr};
        const int strides[4] = {stride, 0, 0, 0};
        sws_scale(scale_.get(), f->data, f->linesize, 0, f->height, planes, strides);
        out = TBitmap(width_, height_, pf24bit);
        for (int y = 0; y < height_; ++y)
            std::copy_n(scaled_.data() + size_t(y) * stride, rowBytes, out.ScanLine(y));
    }

    int64_t max_;
    std::unique_ptr<AVFormatContext, Freer<AVFormatContext, avformat_close_input>> format_;
    CodecPtr codec_;
    PacketPtr packet_;
    FramePtr decoded_;
    ScalePtr scale_;
    int stream_ = -1;
    AVRational timeBase_{1, 1000};
    int width_ = 0, height_ = 0;
    int64_t lastMs_ = 0, lastDurationMs_ = 100;
    std::vector<uint8_t> scaled_;
    TBitmap pending_;
    int64_t pendingMs_ = 0, pendingDurationMs_ = 0;
    bool havePending_ = false;
};

} // namespace

std::unique_ptr<FrameReader> OpenVideoReader(const std::string& path, int64_t maxPixels) {
    return std::make_unique<VideoReader>(path, maxPixels);
}
