// A BMP held in memory to an RgbImage: locate, allocate, convert.
#include <stdlib.h>

#include "image/dib.h"

static const char kUnknownFormat[] = "Unknown DIB file format.";
static const char kConversionError[] = "Image file conversion error.";
static const char kOutOfMemory[] = "Out of memory.";

RgbImage* dib_decode(const uint8_t* bytes, size_t size) {
    DibSource source;
    DibStatus status = dib_parse(bytes, size, &source);
    if (status != kDibOk) {
        dib_report(status == kDibUnknownFormat ? kUnknownFormat : kConversionError);
        return nullptr;
    }
    uint8_t* pixels = static_cast<uint8_t*>(malloc(dib_rgb_size(&source)));
    if (!pixels) {
        dib_report(kOutOfMemory);
        return nullptr;
    }
    if (dib_convert(&source, pixels) != kDibOk) {
        dib_report(kConversionError);
        free(pixels);
        return nullptr;
    }
    RgbImage* image = static_cast<RgbImage*>(malloc(sizeof(RgbImage)));
    if (!image) {
        dib_report(kOutOfMemory);
        free(pixels);
        return nullptr;
    }
    image->width = source.width;
    image->height = source.height < 0 ? -source.height : source.height;
    image->pixels = pixels;
    return image;
}
