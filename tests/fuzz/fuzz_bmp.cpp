// Fuzz target for the BMP decoder: any bytes, decoded from memory.
#include <stdint.h>
#include <stdlib.h>

#include "image/dib.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    tkPopupEnable = false;  // reports would only pile up in the scripted journal
    // Headers may legitimately claim pictures of up to 2 GiB of output; keep
    // the fuzzer's memory to pictures of 16 million pixels.
    DibSource source;
    if (dib_parse(data, size, &source) == kDibOk && dib_rgb_size(&source) > (size_t(1) << 24) * 3) return 0;
    RgbImage* image = dib_decode(data, size);
    if (image) {
        free(image->pixels);
        free(image);
    }
    return 0;
}
