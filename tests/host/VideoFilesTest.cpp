// Videos as recorders and other programs make them: frames that change size mid-stream (a
// resolution switch) open scaled to the first frame's size; a codec the host does not decode
// and a stream without frames are refused.
#include "FfmpegLibrary.hpp"
#include "MediaSamples.hpp"
#include "SequenceFiles.hpp"

#include "Application.hpp"
#include "backends/headless/HeadlessBackend.hpp"

extern "C" {
#include <libavutil/imgutils.h>
}

#include <cstring>
#include <filesystem>

namespace fs = std::filesystem;
using namespace media_samples;

namespace {

// An encoder for w x h frames: Motion JPEG, or FFV1 (a codec the host does not decode).
AVCodecContext* Encoder(int w, int h, bool mjpeg = true) {
    const AVCodec* encoder = avcodec_find_encoder(mjpeg ? AV_CODEC_ID_MJPEG : AV_CODEC_ID_FFV1);
    AVCodecContext* codec = encoder ? avcodec_alloc_context3(encoder) : nullptr;
    if (!codec)
        return nullptr;
    codec->width = w;
    codec->height = h;
    codec->pix_fmt = mjpeg ? AV_PIX_FMT_YUVJ420P : AV_PIX_FMT_YUV420P;
    codec->time_base = AVRational{1, 1000};
    if (avcodec_open2(codec, encoder, nullptr) < 0)
        avcodec_free_context(&codec);
    return codec;
}

// Writes one Motion-JPEG stream in Matroska whose frames have the given sizes and colours
// (grey levels), each frame 100 ms (none: a stream without frames). Each frame is a JPEG of
// its own, so the sizes may differ.
void WriteMjpeg(const std::string& path, const std::vector<std::pair<int, int>>& sizes,
                const std::vector<int> greys, bool mjpeg = true) {
    AVFormatContext* format = nullptr;
    ASSERT_GE(avformat_alloc_output_context2(&format, nullptr, "matroska", path.c_str()), 0);
    AVStream* stream = avformat_new_stream(format, nullptr);
    AVPacket* packet = av_packet_alloc();
    AVCodecContext* header =
        Encoder(sizes.empty() ? 16 : sizes[0].first, sizes.empty() ? 16 : sizes[0].second, mjpeg);
    ASSERT_NE(header, nullptr);
    avcodec_parameters_from_context(stream->codecpar, header);
    avcodec_free_context(&header);
    stream->time_base = AVRational{1, 1000};
    ASSERT_GE(avio_open(&format->pb, path.c_str(), AVIO_FLAG_WRITE), 0);
    ASSERT_GE(avformat_write_header(format, nullptr), 0);
    for (size_t i = 0; i < sizes.size(); ++i) {
        AVCodecContext* codec = Encoder(sizes[i].first, sizes[i].second, mjpeg);
        ASSERT_NE(codec, nullptr);
        AVFrame* frame = av_frame_alloc();
        frame->format = codec->pix_fmt;
        frame->width = codec->width;
        frame->height = codec->height;
        ASSERT_GE(av_frame_get_buffer(frame, 0), 0);
        for (int p = 0; p < 3; ++p) {
            const int rows = p == 0 ? frame->height : (frame->height + 1) / 2;
            for (int y = 0; y < rows; ++y)
                std::memset(frame->data[p] + y * frame->linesize[p], p == 0 ? greys[i] : 128,
                            frame->linesize[p]);
        }
        frame->pts = static_cast<int64_t>(i) * 100;
        ASSERT_GE(avcodec_send_frame(codec, frame), 0);
        avcodec_send_frame(codec, nullptr);
        while (avcodec_receive_packet(codec, packet) == 0) {
            packet->stream_index = stream->index;
            packet->duration = 100;
            av_packet_rescale_ts(packet, codec->time_base, stream->time_base);
            ASSERT_GE(av_interleaved_write_frame(format, packet), 0);
        }
        av_frame_free(&frame);
        avcodec_free_context(&codec);
    }
    av_write_trailer(format);
    avio_closep(&format->pb);
    avformat_free_context(format);
    av_packet_free(&packet);
}

TEST(VideoFiles, FramesOfAnotherSizeAreScaledToTheFirstFramesSize) {
    TApplication app(std::make_unique<HeadlessBackend>());
    const fs::path path = fs::path(::testing::TempDir()) / "size-change.mkv";
    WriteMjpeg(path.string(), {{32, 24}, {64, 48}, {16, 12}}, {40, 200, 120});
    TMultiView frames(nullptr);
    LoadFrames({path.string()}, frames);
    fs::remove(path);
    ASSERT_EQ(frames.GetImageCount(), 3);
    const int greys[] = {40, 200, 120};
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(frames.GetImageWidth(i), 32);
        EXPECT_EQ(frames.GetImageHeight(i), 24);
        const int grey = greys[i]; // Motion JPEG is full range
        EXPECT_LE(ColourDistance(frames.GetImage(i)->Pixel(16, 12), RGB(grey, grey, grey)), 3);
        EXPECT_EQ(frames.GetImageDelayTime(i), 100);
    }
}

TEST(VideoFiles, AVideoOfACodecTheHostDoesNotDecodeIsRefused) {
    TApplication app(std::make_unique<HeadlessBackend>());
    const fs::path path = fs::path(::testing::TempDir()) / "ffv1.mkv";
    WriteMjpeg(path.string(), {{16, 16}, {16, 16}}, {40, 80}, false);
    TMultiView frames(nullptr);
    try {
        LoadFrames({path.string()}, frames);
        ADD_FAILURE() << "an FFV1 video loaded";
    } catch (const std::runtime_error& refused) {
        EXPECT_EQ(std::string(refused.what()), path.string() + ": unsupported video codec");
    }
    fs::remove(path);
}

TEST(VideoFiles, AVideoWithoutFramesIsRefused) {
    TApplication app(std::make_unique<HeadlessBackend>());
    const fs::path path = fs::path(::testing::TempDir()) / "no-frames.mkv";
    WriteMjpeg(path.string(), {}, {});
    TMultiView frames(nullptr);
    try {
        LoadFrames({path.string()}, frames);
        ADD_FAILURE() << "a video without frames loaded";
    } catch (const std::runtime_error& refused) {
        const std::string message = refused.what();
        EXPECT_EQ(message.rfind(path.string() + ": ", 0), 0u) << message;
        EXPECT_EQ(message.find('\n'), std::string::npos) << message;
    }
    fs::remove(path);
}

} // namespace
