// The pictures GL reads back (RGBA, full-range sRGB, bottom row first) as the
// 4:2:0 planes H.264 takes: BT.709, limited range, top row first, each chroma
// sample the mean of its 2 x 2 pixels (sited at their centre).
#ifndef QO_TOOLS_CAPTURE_RGBA_TO_YUV420_H
#define QO_TOOLS_CAPTURE_RGBA_TO_YUV420_H

struct Yuv420Planes {
    unsigned char *y, *u, *v;
    int y_stride, u_stride, v_stride;
};

// width and height even.
void rgba_to_yuv420(const unsigned char* rgba, int width, int height, const Yuv420Planes& out);

#endif
