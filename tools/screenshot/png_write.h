// Writing 8-bit RGB and RGBA pictures as PNG files.
#ifndef QO_TOOLS_PNG_WRITE_H
#define QO_TOOLS_PNG_WRITE_H

// `pixels` holds height rows of width pixels of `channels` bytes (3: RGB, 4:
// RGBA), top row first. False when the file cannot be written.
bool write_png(const char* path, const unsigned char* pixels, int width, int height, int channels = 3);

#endif
