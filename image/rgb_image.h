// Decoded pictures and their texture upload: BMP files (with or without the
// "BM" file header, 12- or 40-byte bitmap headers) turned into 24-bit RGB
// pixels, and those turned into mipmapped GL textures.
#ifndef QO_IMAGE_RGB_IMAGE_H
#define QO_IMAGE_RGB_IMAGE_H

#include <stdint.h>

// A decoded picture: width x height pixels of red, green, blue bytes, rows
// unpadded, bottom row first. Both the record and `pixels` come from malloc
// and are released by the receiver with free.
struct RgbImage {
    int32_t width;
    int32_t height;
    unsigned char* pixels;
};

// When true (the default) decoding errors are shown in a message box
// captioned "Error", owned by the focus window; when false they are silent.
extern bool tkPopupEnable;

// Decodes the BMP file `fileName` (8-bit name). Null after a reported error.
RgbImage* auxDIBImageLoadA(const char* fileName);

// The loader proper. With `wide` false `fileName` is a zero-terminated 8-bit
// string, with `wide` true a zero-terminated string of 16-bit WCHARs.
RgbImage* tkDIBImageLoadAW(const void* fileName, bool wide);

// Colour-table entries that follow the bitmap header at `header`: for a
// 12-byte header 2, 16 or 256 by bits per pixel (1, 4, 8), else 0; for any
// other header the low 16 bits of its colours-used field when non-zero, else
// the same rule. The header must be readable: 12 bytes, or 36 when its size
// field is not 12.
uint16_t DibNumColors(const void* header);

// Decodes `fileName` and uploads it as a mipmapped GL_REPEAT texture whose new
// name is written to textureArray[slot]. A null name does nothing; a file that
// cannot be decoded ends the process with status 0 after its message.
// Needs a current GL context.
void BMP_Texture(uint32_t* textureArray, const char* fileName, int32_t slot);

#endif
