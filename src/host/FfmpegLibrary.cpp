#include "FfmpegLibrary.hpp"

extern "C" {
#include <libavutil/error.h>
#include <libavutil/log.h>
}

void QuietFfmpeg() {
    av_log_set_level(AV_LOG_QUIET);
}

std::string FfmpegReason(int code) {
    char text[AV_ERROR_MAX_STRING_SIZE] = {};
    av_strerror(code, text, sizeof text);
    return text;
}

void SetColourDetails(SwsContext* scale, AVColorSpace space, AVColorRange range, bool toYuv) {
    const int* coefficients =
        sws_getCoefficients(space == AVCOL_SPC_UNSPECIFIED ? SWS_CS_ITU601 : space);
    const int full = range == AVCOL_RANGE_JPEG ? 1 : 0;
    // Source then destination: the RGB side is always full range.
    sws_setColorspaceDetails(scale, coefficients, toYuv ? 1 : full, coefficients, toYuv ? full : 1,
                             0, 1 << 16, 1 << 16);
}
