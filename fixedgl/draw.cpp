// One draw on ES 2. Pipeline state, uniforms and attribute pointers are sent
// only where they differ from what ES 2 already holds.
#include "fixedgl/draw.h"

#include <stddef.h>
#include <string.h>

#include "fixedgl/calls.h"
#include "fixedgl/draw_shortcuts.h"

namespace {

const float kIdentity4[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
const float kIdentity3[9] = {1, 0, 0, 0, 1, 0, 0, 0, 1};

void set_switch(bool& held, bool wanted, GLenum cap) {
    if (held == wanted) return;
    held = wanted;
    if (wanted)
        es2.Enable(cap);
    else
        es2.Disable(cap);
}

// The minification filter ES 2 samples the texture with: its own, or for a
// draw that samples it magnified everywhere the magnification filter, which
// needs no mipmap levels.
void set_min_filter(FixedglContext& c, Texture& t, bool magnified) {
    GLenum wanted = magnified ? t.mag_filter : t.min_filter;
    if (t.es_min_filter == wanted) return;
    bind_es_texture(c, t.es_name);
    es2.TexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, (GLint)wanted);
    t.es_min_filter = wanted;
}

void apply_pipeline(FixedglContext& c, const DrawKey& key, const DrawSource& source) {
    EsState& es = c.es;
    bool blend = key.blend && !blend_copies_source(c, key, source);
    set_switch(es.blend, blend, GL_BLEND);
    if (blend && (es.blend_src != key.blend_src || es.blend_dst != key.blend_dst)) {
        es2.BlendFunc(key.blend_src, key.blend_dst);
        es.blend_src = key.blend_src;
        es.blend_dst = key.blend_dst;
    }
    set_switch(es.depth_test, key.depth_test != 0, GL_DEPTH_TEST);
    if (key.depth_test && es.depth_func != key.depth_func) {
        es2.DepthFunc(key.depth_func);
        es.depth_func = key.depth_func;
    }
    // Without the depth test neither GL nor ES 2 writes depth: the mask matters only with it.
    if (key.depth_test && es.depth_mask != (key.depth_mask != 0)) {
        es2.DepthMask(key.depth_mask ? GL_TRUE : GL_FALSE);
        es.depth_mask = key.depth_mask != 0;
    }
    set_switch(es.cull, key.cull != 0, GL_CULL_FACE);
    if (key.cull && es.cull_face != key.cull_face) {
        es2.CullFace(key.cull_face);
        es.cull_face = key.cull_face;
    }
    if (key.cull && es.front_face != key.front_face) {
        es2.FrontFace(key.front_face);
        es.front_face = key.front_face;
    }
    if (memcmp(es.viewport, key.viewport, sizeof es.viewport) != 0) {
        es2.Viewport(key.viewport[0], key.viewport[1], key.viewport[2], key.viewport[3]);
        memcpy(es.viewport, key.viewport, sizeof es.viewport);
    }
    if (key.textured) {
        Texture* t = find_texture(c, key.texture);
        if (t) {
            sync_texture_parameters(c, *t);
            set_min_filter(c, *t, source.texture_magnified);
            bind_es_texture(c, t->es_name);
        }
    }
}

// Sends a uniform only when its value differs from the one the program holds.
template <typename T>
bool changed(bool fresh, T& held, const T& wanted) {
    if (!fresh && memcmp(&held, &wanted, sizeof(T)) == 0) return false;
    memcpy(&held, &wanted, sizeof(T));
    return true;
}

void upload_uniforms(Program& p, const DrawKey& key, const DrawSource& s) {
    bool fresh = !p.uploaded;
    DrawUniforms& last = p.last;
    const DrawUniforms& u = key.uniforms;
    if (changed(fresh, last.projection, u.projection)) es2.UniformMatrix4fv(p.projection, 1, GL_FALSE, u.projection);
    if (changed(fresh, last.texture_matrix, u.texture_matrix))
        es2.UniformMatrix4fv(p.texture_matrix, 1, GL_FALSE, u.texture_matrix);
    if (key.variant & (3u << kVariantFogShift)) {
        if (changed(fresh, last.fog_color, u.fog_color)) es2.Uniform4fv(p.fog_color, 1, u.fog_color);
        if (changed(fresh, last.fog_params, u.fog_params)) es2.Uniform4fv(p.fog_params, 1, u.fog_params);
    }
    float modelview[16], normal[9];
    memcpy(modelview, s.modelview ? s.modelview : kIdentity4, sizeof modelview);
    memcpy(normal, s.normal_matrix ? s.normal_matrix : kIdentity3, sizeof normal);
    if (changed(fresh, p.last_modelview, modelview)) es2.UniformMatrix4fv(p.modelview, 1, GL_FALSE, modelview);
    if ((key.variant & kVariantInheritMixed) && changed(fresh, p.last_current, s.current))
        es2.Uniform4fv(p.current, 3, s.current);
    if (key.variant & kVariantLighting) {
        if (changed(fresh, p.last_normal_matrix, normal))
            es2.UniformMatrix3fv(p.normal_matrix, 1, GL_FALSE, normal);
        if (changed(fresh, last.scene_ambient, u.scene_ambient)) es2.Uniform4fv(p.scene_ambient, 1, u.scene_ambient);
        int lights = (int)((key.variant & kVariantLightMask) >> kVariantLightShift);
        if (lights > 0) {
            const LightUniforms& l = u.lights;
            LightUniforms& h = last.lights;
            if (changed(fresh, h.ambient, l.ambient)) es2.Uniform4fv(p.light_ambient, lights, l.ambient[0]);
            if (changed(fresh, h.diffuse, l.diffuse)) es2.Uniform4fv(p.light_diffuse, lights, l.diffuse[0]);
            if (changed(fresh, h.specular, l.specular)) es2.Uniform4fv(p.light_specular, lights, l.specular[0]);
            if (changed(fresh, h.position, l.position)) es2.Uniform4fv(p.light_position, lights, l.position[0]);
            if (key.variant & kVariantAttenuation) {
                if (changed(fresh, h.attenuation, l.attenuation))
                    es2.Uniform4fv(p.light_attenuation, lights, l.attenuation[0]);
                if (changed(fresh, h.spot, l.spot)) es2.Uniform4fv(p.light_spot, lights, l.spot[0]);
            }
        }
        const MaterialUniforms* table = s.table ? s.table : &u.material;
        int size = s.table ? s.table_size : 1;
        if (fresh || size > p.last_table_size || memcmp(p.last_table, table, size * sizeof *table) != 0) {
            es2.Uniform4fv(p.material, 4 * size, &table[0].v[0][0]);
            memcpy(p.last_table, table, size * sizeof *table);
            if (size > p.last_table_size) p.last_table_size = size;
        }
    }
    if (fresh && p.sampler >= 0) es2.Uniform1i(p.sampler, 0);
    p.uploaded = true;
}

void set_array(EsState& es, VertexAttribute a, bool on) {
    if (es.array_on[a] == on) return;
    if (on)
        es2.EnableVertexAttribArray(a);
    else
        es2.DisableVertexAttribArray(a);
    es.array_on[a] = on;
}

// An attribute every vertex takes at replay: a constant, as GL's current
// value is for a disabled array.
void set_constant(EsState& es, VertexAttribute a, const float* v, int size) {
    float value[4] = {0, 0, 0, 1};
    memcpy(value, v, size * sizeof(float));
    set_array(es, a, false);
    if (es.constant_known[a] && memcmp(es.constant[a], value, sizeof value) == 0) return;
    es2.VertexAttrib4fv(a, value);
    memcpy(es.constant[a], value, sizeof value);
    es.constant_known[a] = true;
}

void point_attributes(FixedglContext& c, const DrawSource& s) {
    EsState& es = c.es;
    if (es.array_buffer != s.buffer) {
        es2.BindBuffer(GL_ARRAY_BUFFER, s.buffer);
        es.array_buffer = s.buffer;
    }
    if (es.attribute_buffer != s.buffer) {
        const GLsizei stride = sizeof(Vertex);
        struct Layout {
            VertexAttribute attribute;
            GLint size;
            size_t offset;
        };
        static const Layout layout[] = {
            {kAttribPosition, 4, offsetof(Vertex, position)}, {kAttribNormal, 3, offsetof(Vertex, normal)},
            {kAttribColor, 4, offsetof(Vertex, color)},       {kAttribTexCoord, 4, offsetof(Vertex, texcoord)},
            {kAttribSegment, 1, offsetof(Vertex, segment)},   {kAttribInherit, 3, offsetof(Vertex, inherit)},
        };
        for (const Layout& l : layout)
            es2.VertexAttribPointer(l.attribute, l.size, GL_FLOAT, GL_FALSE, stride, (const void*)l.offset);
        es.attribute_buffer = s.buffer;
    }
    set_array(es, kAttribPosition, true);
    set_array(es, kAttribSegment, true);
    set_array(es, kAttribInherit, s.inherit_varies);
    bool varies = s.inherit_varies;
    if (!varies && s.inherit[0] != 0)
        set_constant(es, kAttribColor, s.current, 4);
    else
        set_array(es, kAttribColor, true);
    if (!varies && s.inherit[1] != 0)
        set_constant(es, kAttribNormal, s.current + 4, 3);
    else
        set_array(es, kAttribNormal, true);
    if (!varies && s.inherit[2] != 0)
        set_constant(es, kAttribTexCoord, s.current + 8, 4);
    else
        set_array(es, kAttribTexCoord, true);
}

}  // namespace

void bind_es_texture(FixedglContext& c, GLuint es_name) {
    if (c.es.texture == es_name) return;
    es2.BindTexture(GL_TEXTURE_2D, es_name);
    c.es.texture = es_name;
}

void sync_texture_parameters(FixedglContext& c, Texture& t) {
    if (!t.es_parameters_stale || !t.es_name) return;
    bind_es_texture(c, t.es_name);
    // ES 2 has no GL_CLAMP; its nearest is clamping to the edge texel.
    GLenum wrap_s = t.wrap_s == GL_CLAMP ? GL_CLAMP_TO_EDGE : t.wrap_s;
    GLenum wrap_t = t.wrap_t == GL_CLAMP ? GL_CLAMP_TO_EDGE : t.wrap_t;
    es2.TexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, (GLint)t.min_filter);
    t.es_min_filter = t.min_filter;
    es2.TexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, (GLint)t.mag_filter);
    es2.TexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, (GLint)wrap_s);
    es2.TexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, (GLint)wrap_t);
    t.es_parameters_stale = false;
}

void draw(FixedglContext& c, const DrawKey& key, const DrawSource& source) {
    if (c.discard || source.count == 0) return;
    Program* p = program_for(c, key.variant);
    if (!p) return;
    apply_pipeline(c, key, source);
    if (c.es.program != p->es_program) {
        es2.UseProgram(p->es_program);
        c.es.program = p->es_program;
    }
    upload_uniforms(*p, key, source);
    point_attributes(c, source);
    if (source.indices) {
        if (c.es.element_buffer != source.indices) {
            es2.BindBuffer(GL_ELEMENT_ARRAY_BUFFER, source.indices);
            c.es.element_buffer = source.indices;
        }
        es2.DrawElements(GL_TRIANGLES, (GLsizei)source.count, GL_UNSIGNED_SHORT,
                         (const void*)(source.first * sizeof(uint16_t)));
    } else {
        es2.DrawArrays(GL_TRIANGLES, (GLint)source.first, (GLsizei)source.count);
    }
    c.counts.draw_calls++;
    c.counts.vertices += source.count;
}

void release_es_objects(FixedglContext& c) {
    for (Program& p : c.programs)
        if (p.es_program) es2.DeleteProgram(p.es_program);
    for (Texture& t : c.textures)
        if (t.es_name) es2.DeleteTextures(1, &t.es_name);
    if (c.default_texture.es_name) es2.DeleteTextures(1, &c.default_texture.es_name);
    for (ListSlot& s : c.lists.slots) {
        if (s.list.es_buffer) es2.DeleteBuffers(1, &s.list.es_buffer);
        if (s.list.es_indices) es2.DeleteBuffers(1, &s.list.es_indices);
    }
    if (c.stream_buffer) es2.DeleteBuffers(1, &c.stream_buffer);
}
