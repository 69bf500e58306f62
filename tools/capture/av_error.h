// FFmpeg's error codes as text.
#ifndef QO_TOOLS_CAPTURE_AV_ERROR_H
#define QO_TOOLS_CAPTURE_AV_ERROR_H

#include <string>

std::string av_error_text(int code);

#endif
