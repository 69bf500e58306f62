// Compiling display lists: names, glNewList/glEndList, and recording calls
// and geometry. Geometry joins the draw before it when only material,
// colour, normal and texture-coordinate calls came between (a material call
// starts a new entry of the draw's material table); any other call ends the
// draw.
#include <string.h>

#include "fixedgl/calls.h"
#include "fixedgl/draw_key.h"
#include "fixedgl/list_indexing.h"

namespace {

bool joins_draw(ListOpKind kind) {
    return kind == kOpColor || kind == kOpNormal || kind == kOpTexCoord || kind == kOpMaterial || kind == kOpSegment;
}

// Ends the open draw: its calls are those recorded after it up to `end`.
void close_draw(ListBuilder& b, size_t end) {
    if (b.open_draw < 0) return;
    ListDraw& d = b.list.draws[b.list.ops[b.open_draw].n];
    d.inner_ops = (uint32_t)(end - (size_t)b.open_draw - 1);
    b.open_draw = -1;
}

void close_draw(ListBuilder& b) { close_draw(b, b.list.ops.size()); }

void release_list_buffers(FixedglContext& c, DisplayList& list) {
    for (unsigned* buffer : {&list.es_buffer, &list.es_indices}) {
        if (!*buffer) continue;
        es2.DeleteBuffers(1, buffer);
        // ES 2 unbinds a deleted buffer; a later one may get its name.
        if (c.es.array_buffer == *buffer) c.es.array_buffer = 0;
        if (c.es.attribute_buffer == *buffer) c.es.attribute_buffer = 0;
        if (c.es.element_buffer == *buffer) c.es.element_buffer = 0;
        *buffer = 0;
    }
}

ListSlot* slot(FixedglContext& c, GLuint name) {
    if (name == 0 || name > c.lists.slots.size()) return nullptr;
    return &c.lists.slots[name - 1];
}

}  // namespace

ListOp make_op(ListOpKind kind, GLenum a, GLenum b) {
    ListOp op;
    memset(&op, 0, sizeof op);
    op.kind = kind;
    op.a = a;
    op.b = b;
    return op;
}

bool record_call(FixedglContext& c, const ListOp& op) {
    ListBuilder* b = c.compiling;
    if (!b) return false;
    if (!joins_draw(op.kind)) close_draw(*b);
    switch (op.kind) {
        case kOpColor:
            memcpy(b->color, op.v, sizeof b->color);
            b->known_color = true;
            break;
        case kOpNormal:
            memcpy(b->normal, op.v, sizeof b->normal);
            b->known_normal = true;
            break;
        case kOpTexCoord:
            memcpy(b->texcoord, op.v, sizeof b->texcoord);
            b->known_texcoord = true;
            break;
        case kOpMaterial: b->material_since_geometry = true; break;
        case kOpCallList:
            // The called list may set anything: later vertices take what is current then.
            b->known_color = b->known_normal = b->known_texcoord = false;
            b->material_since_geometry = true;
            break;
        default: break;
    }
    b->list.ops.push_back(op);
    return b->mode == GL_COMPILE;
}

void record_geometry(FixedglContext& c, const Vertex* vertices, size_t count) {
    ListBuilder& b = *c.compiling;
    DisplayList& list = b.list;
    bool joined = false;
    if (b.open_draw >= 0) {
        ListDraw& d = list.draws[list.ops[b.open_draw].n];
        if (!b.material_since_geometry) {
            joined = true;
        } else if (d.segments < (uint32_t)kMaterialTableSize) {
            list.ops.push_back(make_op(kOpSegment));
            d.segments++;
            joined = true;
        }
        if (!joined) close_draw(b, b.primitive_first_op);
    }
    if (!joined) {
        // A new draw, placed before the calls made since glBegin so that they
        // become its own (vertices that inherit attributes take them as they
        // were when the primitive began).
        ListDraw d;
        d.first = (uint32_t)b.vertices.size();
        ListOp op = make_op(kOpDraw);
        op.n = (uint32_t)list.draws.size();
        list.draws.push_back(d);
        size_t at = b.primitive_first_op;
        list.ops.insert(list.ops.begin() + (ptrdiff_t)at, op);
        b.open_draw = (int)at;
    }
    ListDraw& d = list.draws[list.ops[b.open_draw].n];
    float segment = (float)(d.segments - 1);
    for (size_t i = 0; i < count; i++) {
        Vertex v = vertices[i];
        v.segment = segment;
        if (d.count == 0 && i == 0) memcpy(d.inherit, v.inherit, sizeof d.inherit);
        if (memcmp(d.inherit, v.inherit, sizeof d.inherit) != 0) d.inherit_varies = true;
        if (v.inherit[0] == 0 && !(v.color[3] >= 1)) d.translucent = true;
        b.vertices.push_back(v);
    }
    d.count += (uint32_t)count;
    b.material_since_geometry = false;
}

GLuint glGenLists(GLsizei range) {
    FixedglContext* c = outside_begin();
    if (!c) return 0;
    if (range < 0) {
        set_error(*c, GL_INVALID_VALUE);
        return 0;
    }
    if (range == 0) return 0;
    // The first run of free names long enough.
    std::vector<ListSlot>& slots = c->lists.slots;
    size_t run = 0, start = 0;
    for (size_t i = 0; i < slots.size() && run < (size_t)range; i++) {
        if (slots[i].reserved) {
            run = 0;
            start = i + 1;
        } else {
            run++;
        }
    }
    if (start + (size_t)range > slots.size()) slots.resize(start + (size_t)range);
    for (size_t i = start; i < start + (size_t)range; i++) slots[i].reserved = true;
    return (GLuint)(start + 1);
}

void glNewList(GLuint list, GLenum mode) {
    FixedglContext* c = outside_begin();
    if (!c) return;
    if (list == 0) {
        set_error(*c, GL_INVALID_VALUE);
        return;
    }
    if (mode != GL_COMPILE && mode != GL_COMPILE_AND_EXECUTE) {
        set_error(*c, GL_INVALID_ENUM);
        return;
    }
    if (c->compiling) {
        set_error(*c, GL_INVALID_OPERATION);
        return;
    }
    flush_batch(*c);
    c->compiling = new ListBuilder();
    c->compiling->name = list;
    c->compiling->mode = mode;
}

void glEndList(void) {
    FixedglContext* c = outside_begin();
    if (!c) return;
    ListBuilder* b = c->compiling;
    if (!b) {
        set_error(*c, GL_INVALID_OPERATION);
        return;
    }
    close_draw(*b);
    c->compiling = nullptr;
    if (b->name > c->lists.slots.size()) c->lists.slots.resize(b->name);
    ListSlot& s = c->lists.slots[b->name - 1];
    release_list_buffers(*c, s.list);
    s.reserved = true;
    s.defined = true;
    s.list = std::move(b->list);
    s.list.es_buffer = 0;
    s.list.es_indices = 0;
    if (!b->vertices.empty()) {
        // Equal vertices shared where 16-bit indices reach them all.
        std::vector<Vertex> distinct;
        std::vector<uint16_t> indices;
        bool indexed = index_vertices(b->vertices, distinct, indices);
        const std::vector<Vertex>& stored = indexed ? distinct : b->vertices;
        es2.GenBuffers(1, &s.list.es_buffer);
        es2.BindBuffer(GL_ARRAY_BUFFER, s.list.es_buffer);
        es2.BufferData(GL_ARRAY_BUFFER, (GLsizeiptr)(stored.size() * sizeof(Vertex)), stored.data(), GL_STATIC_DRAW);
        c->es.array_buffer = s.list.es_buffer;
        c->es.attribute_buffer = 0;  // a name may come back for a new buffer
        if (indexed) {
            es2.GenBuffers(1, &s.list.es_indices);
            es2.BindBuffer(GL_ELEMENT_ARRAY_BUFFER, s.list.es_indices);
            es2.BufferData(GL_ELEMENT_ARRAY_BUFFER, (GLsizeiptr)(indices.size() * sizeof(uint16_t)), indices.data(),
                           GL_STATIC_DRAW);
            c->es.element_buffer = s.list.es_indices;
        }
    }
    delete b;
}

void glDeleteLists(GLuint list, GLsizei range) {
    FixedglContext* c = outside_begin();
    if (!c) return;
    if (range < 0) {
        set_error(*c, GL_INVALID_VALUE);
        return;
    }
    for (GLsizei k = 0; k < range; k++) {
        ListSlot* s = slot(*c, list + (GLuint)k);
        if (!s) continue;
        release_list_buffers(*c, s->list);
        *s = ListSlot();
    }
}
