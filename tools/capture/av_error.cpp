#include "tools/capture/av_error.h"

extern "C" {
#include <libavutil/error.h>
}

std::string av_error_text(int code) {
    char text[AV_ERROR_MAX_STRING_SIZE] = {0};
    av_strerror(code, text, sizeof text);
    return text;
}
