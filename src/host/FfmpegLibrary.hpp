// FFmpeg's libraries (libavformat, libavcodec, libswscale) for the host's video in and out.
#pragma once

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libswscale/swscale.h>
}

#include <string>

// The containers the host opens; every other demuxer stays closed to file contents.
inline constexpr const char* kVideoFormats = "mov,mp4,m4a,3gp,3g2,mj2,matroska,webm,avi";

// The decoders the host uses on those containers' video streams; others are refused.
inline constexpr const char* kVideoDecoders =
    "h264,hevc,vp8,vp9,av1,libdav1d,libaom-av1,libvpx,libvpx-vp9,mpeg4,mjpeg,mpeg1video,"
    "mpeg2video,prores,theora";

// Silences the libraries' own logging (the host reports each failure once).
void QuietFfmpeg();

// The text of an FFmpeg error code.
std::string FfmpegReason(int code);

// swscale's coefficients and range for a frame's colour space (BT.601 when unstated).
void SetColourDetails(SwsContext* scale, AVColorSpace space, AVColorRange range, bool toYuv);
