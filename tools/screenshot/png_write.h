// Writing 8-bit RGB pictures as PNG files.
#ifndef QO_TOOLS_PNG_WRITE_H
#define QO_TOOLS_PNG_WRITE_H

// `rgb` holds height rows of width pixels, top row first. False when the file
// cannot be written.
bool write_png(const char* path, const unsigned char* rgb, int width, int height);

#endif
