// Immediate mode: glBegin/glEnd and the vertex calls. Vertices are taken to
// eye space on the CPU as they come, so matrix changes between primitives do
// not part the batch they are drawn in; a list being compiled keeps them as
// given.
#include <string.h>

#include <algorithm>

#include "fixedgl/calls.h"
#include "fixedgl/triangulate.h"

void glBegin(GLenum mode) {
    FixedglContext* c = outside_begin();
    if (!c) return;
    if (!primitive_mode_known(mode)) {
        set_error(*c, GL_INVALID_ENUM);
        return;
    }
    c->primitive.mode = mode;
    c->primitive.inside = true;
    c->primitive.eye.clear();
    c->primitive.object.clear();
    if (c->compiling) c->compiling->primitive_first_op = c->compiling->list.ops.size();
}

namespace {

bool clipped(const Mat4& projection, const std::vector<Vertex>& eye) {
    for (const Vertex& v : eye) {
        float p[4];
        mat4_transform(projection, v.position, p);
        float w = p[3];
        if (p[0] < -w || p[0] > w || p[1] < -w || p[1] > w || p[2] < -w || p[2] > w) return true;
    }
    return false;
}

void append_quads(std::vector<Vertex>& out, const Vertex* corners, size_t quads, QuadSplit split) {
    static const unsigned first_third[6] = {0, 1, 2, 0, 2, 3}, second_fourth[6] = {0, 1, 3, 1, 2, 3};
    const unsigned* order = split == kSplitFirstThird ? first_third : second_fourth;
    for (size_t q = 0; q < quads; q++)
        for (int k = 0; k < 6; k++) out.push_back(corners[4 * q + order[k]]);
}

// Immediate-mode quads: one split for the whole run they join.
void batch_quads(FixedglContext& c, const std::vector<Vertex>& eye) {
    size_t quads = eye.size() / 4;
    QuadRun& run = c.quad_run;
    bool any_clipped = clipped(c.projection.entries[c.projection.depth - 1], eye);
    bool joins = run.open && run.state_serial == c.state_serial && run.modelview_serial == c.modelview_serial &&
                 !c.batch.vertices.empty();
    if (joins && any_clipped && !run.clipped) {
        // The run's earlier quads go over to the other diagonal with it.
        std::vector<Vertex> resplit;
        append_quads(resplit, run.corners.data(), run.corners.size() / 4, kSplitSecondFourth);
        std::copy(resplit.begin(), resplit.end(), c.batch.vertices.begin() + (ptrdiff_t)run.first);
        run.clipped = true;
    }
    std::vector<Vertex> triangles;
    append_quads(triangles, eye.data(), quads, (joins ? run.clipped : any_clipped) ? kSplitSecondFourth : kSplitFirstThird);
    batch_triangles(c, triangles.data(), triangles.size());
    if (!joins) {
        run.open = true;
        run.clipped = any_clipped;
        run.first = c.batch.vertices.size() - triangles.size();
        run.corners.clear();
    }
    run.corners.insert(run.corners.end(), eye.begin(), eye.begin() + (ptrdiff_t)(quads * 4));
    run.state_serial = c.state_serial;
    run.modelview_serial = c.modelview_serial;
}

}  // namespace

void glEnd(void) {
    FixedglContext* c = fixedgl_current;
    if (!c) return;
    Primitive& p = c->primitive;
    if (!p.inside) {
        set_error(*c, GL_INVALID_OPERATION);
        return;
    }
    p.inside = false;
    static thread_local std::vector<unsigned> indices;
    static thread_local std::vector<Vertex> triangles;
    if (ListBuilder* b = c->compiling) {
        triangulate(p.mode, p.object.size(), kSplitSecondFourth, indices);
        triangles.clear();
        for (unsigned i : indices) triangles.push_back(p.object[i]);
        if (!triangles.empty()) record_geometry(*c, triangles.data(), triangles.size());
        if (b->mode == GL_COMPILE) return;
    }
    if (p.mode == GL_QUADS) {
        if (p.eye.size() >= 4) batch_quads(*c, p.eye);
        return;
    }
    c->quad_run.open = false;
    triangulate(p.mode, p.eye.size(), kSplitFirstThird, indices);
    triangles.clear();
    for (unsigned i : indices) triangles.push_back(p.eye[i]);
    if (!triangles.empty()) batch_triangles(*c, triangles.data(), triangles.size());
}

// A vertex with the current attributes: in eye space for drawing now, as
// given for a list (with its flags for attributes the list has not set).
static void vertex(float x, float y, float z) {
    FixedglContext* c = fixedgl_current;
    if (!c || !c->primitive.inside) return;  // outside glBegin/glEnd a vertex does nothing
    Vertex v;
    v.position[0] = x;
    v.position[1] = y;
    v.position[2] = z;
    v.position[3] = 1;
    memcpy(v.normal, c->normal, sizeof v.normal);
    memcpy(v.color, c->color, sizeof v.color);
    memcpy(v.texcoord, c->texcoord, sizeof v.texcoord);
    v.segment = 0;
    v.inherit[0] = v.inherit[1] = v.inherit[2] = 0;
    if (ListBuilder* b = c->compiling) {
        // The list's own attributes where it has set them.
        Vertex o = v;
        if (b->known_color) memcpy(o.color, b->color, sizeof o.color);
        if (b->known_normal) memcpy(o.normal, b->normal, sizeof o.normal);
        if (b->known_texcoord) memcpy(o.texcoord, b->texcoord, sizeof o.texcoord);
        o.inherit[0] = b->known_color ? 0.0f : 1.0f;
        o.inherit[1] = b->known_normal ? 0.0f : 1.0f;
        o.inherit[2] = b->known_texcoord ? 0.0f : 1.0f;
        c->primitive.object.push_back(o);
        if (b->mode == GL_COMPILE) return;
    }
    const Mat4& modelview = c->modelview.entries[c->modelview.depth - 1];
    float given[4] = {x, y, z, 1};
    mat4_transform(modelview, given, v.position);
    float n[3];
    mat3_transform(current_normal_matrix(*c), c->normal, n);
    memcpy(v.normal, n, sizeof n);
    c->primitive.eye.push_back(v);
}

void glVertex2f(GLfloat x, GLfloat y) { vertex(x, y, 0); }
void glVertex3f(GLfloat x, GLfloat y, GLfloat z) { vertex(x, y, z); }
void glVertex3fv(const GLfloat* v) { vertex(v[0], v[1], v[2]); }

// Current attributes: allowed inside and outside glBegin/glEnd.
static void color(float r, float g, float b, float a) {
    FixedglContext* c = fixedgl_current;
    if (!c) return;
    ListOp op = make_op(kOpColor);
    op.v[0] = r;
    op.v[1] = g;
    op.v[2] = b;
    op.v[3] = a;
    if (record_call(*c, op)) return;
    exec_color(*c, op.v);
}

void glColor3f(GLfloat red, GLfloat green, GLfloat blue) { color(red, green, blue, 1); }
void glColor3fv(const GLfloat* v) { color(v[0], v[1], v[2], 1); }
void glColor4f(GLfloat red, GLfloat green, GLfloat blue, GLfloat alpha) { color(red, green, blue, alpha); }
void glColor4fv(const GLfloat* v) { color(v[0], v[1], v[2], v[3]); }

static void normal(float x, float y, float z) {
    FixedglContext* c = fixedgl_current;
    if (!c) return;
    ListOp op = make_op(kOpNormal);
    op.v[0] = x;
    op.v[1] = y;
    op.v[2] = z;
    if (record_call(*c, op)) return;
    exec_normal(*c, op.v);
}

void glNormal3f(GLfloat x, GLfloat y, GLfloat z) { normal(x, y, z); }
void glNormal3fv(const GLfloat* v) { normal(v[0], v[1], v[2]); }

static void texcoord(float s, float t) {
    FixedglContext* c = fixedgl_current;
    if (!c) return;
    ListOp op = make_op(kOpTexCoord);
    op.v[0] = s;
    op.v[1] = t;
    op.v[2] = 0;
    op.v[3] = 1;
    if (record_call(*c, op)) return;
    exec_texcoord(*c, op.v);
}

void glTexCoord2f(GLfloat s, GLfloat t) { texcoord(s, t); }
void glTexCoord2fv(const GLfloat* v) { texcoord(v[0], v[1]); }
