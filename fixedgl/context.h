// The layer's context: the GL 1.1 state the entry points keep, what waits to
// be drawn, the display lists, and the ES 2 objects and state behind them.
// Plain records; the entry points work on the current context.
#ifndef QO_FIXEDGL_CONTEXT_H
#define QO_FIXEDGL_CONTEXT_H

#include <stddef.h>
#include <stdint.h>

#include <vector>

#include "fixedgl/draw_key.h"
#include "fixedgl/es2.h"
#include "fixedgl/fixedgl.h"
#include "fixedgl/gl_api.h"
#include "fixedgl/lists.h"
#include "fixedgl/matrix.h"
#include "fixedgl/vertex.h"

const int kMaxLights = 8;
const int kMaxTextureLevels = 15;  // up to 16384 texels on a side

struct MatrixStack {
    Mat4 entries[32];
    int depth = 1;   // entries in use; the top one is current
    int limit = 32;  // the system's GL allows 32 modelview and projection matrices, 10 texture ones
};

struct Light {
    float ambient[4];
    float diffuse[4];
    float specular[4];
    float position[4];        // eye coordinates, as given times the modelview then
    float spot_direction[3];  // eye coordinates
    float spot_exponent;
    float spot_cutoff;        // degrees; 180 for no spot
    float attenuation[3];     // constant, linear, quadratic
};

struct Material {
    float ambient[4];
    float diffuse[4];
    float specular[4];
    float emission[4];
    float shininess;
};

struct TextureLevel {
    int width = 0, height = 0;  // 0: not defined
    GLenum base_format = 0;     // GL_RGB, GL_RGBA, GL_LUMINANCE, GL_LUMINANCE_ALPHA, GL_ALPHA
};

struct Texture {
    GLuint name = 0;
    GLuint es_name = 0;
    GLenum min_filter = GL_NEAREST_MIPMAP_LINEAR;
    GLenum mag_filter = GL_LINEAR;
    GLenum wrap_s = GL_REPEAT;
    GLenum wrap_t = GL_REPEAT;
    bool es_parameters_stale = true;  // the ES texture's parameters still to be set
    GLenum es_min_filter = 0;         // the minification filter the ES texture has
    TextureLevel levels[kMaxTextureLevels];
};

// The ES 2 state last set, so draws only change what differs.
struct EsState {
    GLuint program = 0;
    GLuint array_buffer = 0;
    GLuint element_buffer = 0;
    GLuint texture = 0;
    bool blend = false;
    GLenum blend_src = GL_ONE, blend_dst = GL_ZERO;
    bool depth_test = false;
    GLenum depth_func = GL_LESS;
    bool depth_mask = true;
    bool cull = false;
    GLenum cull_face = GL_BACK, front_face = GL_CCW;
    int viewport[4] = {0, 0, 0, 0};
    float clear_color[4] = {0, 0, 0, 0};
    GLuint attribute_buffer = 0;  // the buffer the vertex attribute pointers point into; 0 for none
    bool array_on[kAttribCount] = {};          // each attribute from its array, or constant
    bool constant_known[kAttribCount] = {};    // whether constant[] holds ES 2's value
    float constant[kAttribCount][4] = {};
};

// A compiled shader program of one variant, with its uniform locations and
// the values it last received.
struct Program {
    uint32_t variant = 0;
    GLuint es_program = 0;
    GLint projection, modelview, normal_matrix, texture_matrix;
    GLint current;  // colour, normal, texture coordinate for inheriting vertices
    GLint material, scene_ambient;
    GLint light_ambient, light_diffuse, light_specular, light_position, light_attenuation, light_spot;
    GLint fog_color, fog_params, sampler;
    // What it last received, so a draw sends only what changed.
    bool uploaded = false;  // false until the first draw has set every uniform
    DrawUniforms last;
    float last_modelview[16];
    float last_normal_matrix[9];
    float last_current[12];  // colour, normal, texture coordinate for inheriting vertices
    MaterialUniforms last_table[kMaterialTableSize];
    int last_table_size = 0;
};

// A primitive between glBegin and glEnd: its vertices in eye space for
// drawing now, and as given for a list being compiled.
struct Primitive {
    GLenum mode = 0;
    bool inside = false;
    std::vector<Vertex> eye;
    std::vector<Vertex> object;
};

// Immediate-mode quads the system's GL draws as one draw: those of glBegin/
// glEnd pairs one after the other with no change of state between. They
// share one split, which depends on whether any of their vertices is clipped.
struct QuadRun {
    bool open = false;
    bool clipped = false;
    size_t first = 0;  // where the run's triangles start in the batch
    uint64_t state_serial = 0, modelview_serial = 0;
    std::vector<Vertex> corners;  // four per quad
};

// Triangles from immediate mode waiting to be drawn together: all were
// specified under the same key.
struct Batch {
    DrawKey key;
    uint64_t key_serial = 0;  // the state serial the key was built at
    std::vector<Vertex> vertices;
};

struct FixedglContext {
    GLenum error = GL_NO_ERROR;  // the first error not yet fetched

    // Switches. The ones that change drawing have their own fields; the rest
    // of GL 1.1's are only remembered.
    bool lighting = false, color_material = false, normalize = false, fog = false;
    bool texture_2d = false, blend = false, depth_test = false, cull_face = false;
    bool light_enabled[kMaxLights] = {};
    std::vector<GLenum> other_enabled;  // caps GL 1.1 knows that change nothing here
    bool dither = true;

    GLenum matrix_mode = GL_MODELVIEW;
    MatrixStack modelview, projection, texture_matrix;
    uint64_t modelview_serial = 1;   // grows with every change of the modelview matrix
    uint64_t normal_matrix_serial = 0;
    float normal_matrix[9];          // for modelview_serial == normal_matrix_serial

    // Current attributes.
    float color[4] = {1, 1, 1, 1};
    float normal[3] = {0, 0, 1};
    float texcoord[4] = {0, 0, 0, 1};

    Light lights[kMaxLights];
    float scene_ambient[4] = {0.2f, 0.2f, 0.2f, 1};
    bool local_viewer = false;
    bool two_side = false;
    Material front, back;

    GLenum fog_mode = GL_EXP;
    float fog_density = 1, fog_start = 0, fog_end = 1;
    float fog_color[4] = {0, 0, 0, 0};

    GLenum blend_src = GL_ONE, blend_dst = GL_ZERO;
    GLenum depth_func = GL_LESS;
    bool depth_mask = true;
    GLenum shade_model = GL_SMOOTH;
    GLenum cull_face_mode = GL_BACK, front_face = GL_CCW;
    GLenum perspective_hint = GL_DONT_CARE, fog_hint = GL_DONT_CARE;
    GLenum line_smooth_hint = GL_DONT_CARE, point_smooth_hint = GL_DONT_CARE, polygon_smooth_hint = GL_DONT_CARE;
    int viewport[4] = {0, 0, 0, 0};
    float clear_color[4] = {0, 0, 0, 0};
    int unpack_alignment = 4, pack_alignment = 4;

    std::vector<Texture> textures;
    GLuint bound_texture = 0;    // a name in textures, or 0 for the default texture
    Texture default_texture;     // texture object 0

    ListTable lists;
    ListBuilder* compiling = nullptr;  // the list between glNewList and glEndList
    int call_depth = 0;

    Primitive primitive;
    Batch batch;
    QuadRun quad_run;
    uint64_t state_serial = 1;  // grows with every change a draw depends on

    GLuint stream_buffer = 0;
    std::vector<Program> programs;
    EsState es;
    int es_max_texture_size = 2048;
    bool discard = false;
    FixedglCounts counts;
};

extern FixedglContext* fixedgl_current;

// Records an error unless one is waiting to be fetched.
void set_error(FixedglContext& c, GLenum error);

// Every change a draw depends on goes through here: the pending batch keeps
// its own copy of the state it was specified under.
inline void state_changed(FixedglContext& c) { c.state_serial++; }

#endif
