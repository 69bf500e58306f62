// One vertex as the layer hands it to ES 2: immediate mode's in eye space,
// a display list's as given (object space).
#ifndef QO_FIXEDGL_VERTEX_H
#define QO_FIXEDGL_VERTEX_H

struct Vertex {
    float position[4];
    float normal[3];
    float color[4];
    float texcoord[4];
    float segment;     // which entry of the draw's material table lights it
    float inherit[3];  // 1 where colour, normal, texture coordinate are the current ones at replay
};

// Attribute locations of the layer's shader programs.
enum VertexAttribute {
    kAttribPosition = 0,  // always an array (WebGL prefers attribute 0 so)
    kAttribNormal,
    kAttribColor,
    kAttribTexCoord,
    kAttribSegment,
    kAttribInherit,
    kAttribCount
};

#endif
