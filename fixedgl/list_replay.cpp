// Replaying display lists: each recorded call runs as it would have run
// then; a draw runs the calls that belong to it, filling its material table
// as it goes, and is then sent as one ES 2 draw under the matrices of the
// moment.
#include <string.h>

#include "fixedgl/calls.h"
#include "fixedgl/draw.h"

namespace {

const int kMaxCallDepth = 64;  // GL's limit on lists calling lists

void run_op(FixedglContext& c, const ListOp& op) {
    const float* v = op.v;
    switch (op.kind) {
        case kOpEnable: exec_enable(c, op.a, true); break;
        case kOpDisable: exec_enable(c, op.a, false); break;
        case kOpMatrixMode: exec_matrix_mode(c, op.a); break;
        case kOpLoadIdentity: exec_load_identity(c); break;
        case kOpLoadMatrix: exec_load_matrix(c, v); break;
        case kOpMultMatrix: exec_mult_matrix(c, v); break;
        case kOpPushMatrix: exec_push_matrix(c); break;
        case kOpPopMatrix: exec_pop_matrix(c); break;
        case kOpTranslate: exec_translate(c, v[0], v[1], v[2]); break;
        case kOpRotate: exec_rotate(c, v[0], v[1], v[2], v[3]); break;
        case kOpScale: exec_scale(c, v[0], v[1], v[2]); break;
        case kOpColor: exec_color(c, v); break;
        case kOpNormal: exec_normal(c, v); break;
        case kOpTexCoord: exec_texcoord(c, v); break;
        case kOpMaterial: exec_material(c, op.a, op.b, v); break;
        case kOpLight: exec_light(c, op.a, op.b, v); break;
        case kOpLightModel: exec_light_model(c, op.a, v); break;
        case kOpFog: exec_fog(c, op.a, v); break;
        case kOpBlendFunc: exec_blend_func(c, op.a, op.b); break;
        case kOpDepthFunc: exec_depth_func(c, op.a); break;
        case kOpDepthMask: exec_depth_mask(c, op.a != 0); break;
        case kOpShadeModel: exec_shade_model(c, op.a); break;
        case kOpHint: exec_hint(c, op.a, op.b); break;
        case kOpViewport: exec_viewport(c, (int)v[0], (int)v[1], (int)v[2], (int)v[3]); break;
        case kOpClearColor: exec_clear_color(c, v); break;
        case kOpClear: exec_clear(c, op.a); break;
        case kOpBindTexture: exec_bind_texture(c, op.a, op.b); break;
        case kOpTexParameter: exec_tex_parameter(c, op.a, op.b, (GLint)op.n); break;
        case kOpCallList: exec_call_list(c, op.a); break;
        case kOpDraw:
        case kOpSegment: break;  // handled by the caller
    }
}

// Runs the draw at ops[at] with the calls that belong to it; returns the
// index after them.
size_t run_draw(FixedglContext& c, const DisplayList& list, size_t at) {
    const ListDraw& d = list.draws[list.ops[at].n];
    DrawSource s;
    // Vertices that inherit an attribute take it as it is now.
    memcpy(s.current, c.color, 4 * sizeof(float));
    memcpy(s.current + 4, c.normal, 3 * sizeof(float));
    memcpy(s.current + 8, c.texcoord, 4 * sizeof(float));
    MaterialUniforms table[kMaterialTableSize];
    int entries = 0;
    material_uniforms(c, table[entries++]);
    size_t end = at + 1 + d.inner_ops;
    for (size_t i = at + 1; i < end; i++) {
        if (list.ops[i].kind == kOpSegment) {
            if (entries < kMaterialTableSize) material_uniforms(c, table[entries++]);
        } else {
            run_op(c, list.ops[i]);
        }
    }
    flush_batch(c);  // immediate-mode drawing before the list comes first
    DrawKey key;
    build_draw_key(c, key);
    if (d.inherit_varies) key.variant |= kVariantInheritMixed;
    if (entries > 1 && (key.variant & kVariantLighting)) key.variant |= kVariantMaterialTable;
    s.buffer = list.es_buffer;
    s.indices = list.es_indices;
    s.first = d.first;
    s.count = d.count;
    s.modelview = c.modelview.entries[c.modelview.depth - 1].m;
    s.normal_matrix = current_normal_matrix(c);
    s.table = table;
    s.table_size = entries;
    s.inherit_varies = d.inherit_varies;
    memcpy(s.inherit, d.inherit, sizeof s.inherit);
    bool inherits_color = d.inherit_varies || d.inherit[0] != 0;
    s.colors_opaque = !d.translucent && (!inherits_color || s.current[3] >= 1);
    draw(c, key, s);
    return end;
}

}  // namespace

void exec_call_list(FixedglContext& c, GLuint name) {
    if (name == 0 || name > c.lists.slots.size() || !c.lists.slots[name - 1].defined) return;
    if (c.call_depth >= kMaxCallDepth) return;
    c.call_depth++;
    // Replay neither defines nor deletes lists, so the slot stays where it is.
    const DisplayList& list = c.lists.slots[name - 1].list;
    for (size_t i = 0; i < list.ops.size();) {
        if (list.ops[i].kind == kOpDraw) {
            i = run_draw(c, list, i);
        } else {
            run_op(c, list.ops[i]);
            i++;
        }
    }
    c.call_depth--;
}

void glCallList(GLuint list) {
    FixedglContext* c = fixedgl_current;
    if (!c) return;
    ListOp op = make_op(kOpCallList, list);
    if (record_call(*c, op)) return;
    exec_call_list(*c, list);
}
