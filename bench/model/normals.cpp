// Facet and crease-angle vertex normals on a subdivided sphere of about a
// million triangles with shared vertices, beside a plain node-list version of
// the same vertex-normal algorithm (one heap node per corner) as the peer.
#include <math.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>

#include <algorithm>
#include <chrono>
#include <unordered_map>
#include <vector>

#include "model/include2.h"

namespace {

// An icosahedron subdivided `levels` times, every new vertex pushed out to
// the unit sphere; edge midpoints are shared between neighbouring triangles.
void sphere(int levels, std::vector<GLfloat>& xyz, std::vector<GLint>& tris) {
    const float t = (1.0f + sqrtf(5.0f)) / 2;
    const float ico[12][3] = {{-1, t, 0}, {1, t, 0}, {-1, -t, 0}, {1, -t, 0}, {0, -1, t}, {0, 1, t},
                              {0, -1, -t}, {0, 1, -t}, {t, 0, -1}, {t, 0, 1}, {-t, 0, -1}, {-t, 0, 1}};
    const int faces[20][3] = {{0, 11, 5}, {0, 5, 1},  {0, 1, 7},   {0, 7, 10}, {0, 10, 11}, {1, 5, 9}, {5, 11, 4},
                              {11, 10, 2}, {10, 7, 6}, {7, 1, 8},   {3, 9, 4},  {3, 4, 2},   {3, 2, 6}, {3, 6, 8},
                              {3, 8, 9},  {4, 9, 5},  {2, 4, 11},  {6, 2, 10}, {8, 6, 7},   {9, 8, 1}};
    xyz.assign(3, 0);  // triple 0 unused
    auto push = [&](float x, float y, float z) {
        float l = sqrtf(x * x + y * y + z * z);
        xyz.push_back(x / l);
        xyz.push_back(y / l);
        xyz.push_back(z / l);
        return (GLint)(xyz.size() / 3 - 1);
    };
    for (auto& v : ico) push(v[0], v[1], v[2]);
    tris.clear();
    for (auto& f : faces)
        for (int k = 0; k < 3; k++) tris.push_back(f[k] + 1);

    for (int level = 0; level < levels; level++) {
        std::unordered_map<uint64_t, GLint> midpoints;
        midpoints.reserve(tris.size());
        auto mid = [&](GLint a, GLint b) {
            uint64_t key = (uint64_t)std::min(a, b) << 32 | (uint32_t)std::max(a, b);
            auto it = midpoints.find(key);
            if (it != midpoints.end()) return it->second;
            GLint m = push(xyz[3 * a] + xyz[3 * b], xyz[3 * a + 1] + xyz[3 * b + 1], xyz[3 * a + 2] + xyz[3 * b + 2]);
            midpoints.emplace(key, m);
            return m;
        };
        std::vector<GLint> next;
        next.reserve(tris.size() * 4);
        for (size_t i = 0; i < tris.size(); i += 3) {
            GLint a = tris[i], b = tris[i + 1], c = tris[i + 2];
            GLint ab = mid(a, b), bc = mid(b, c), ca = mid(c, a);
            const GLint out[12] = {a, ab, ca, b, bc, ab, c, ca, bc, ab, bc, ca};
            next.insert(next.end(), out, out + 12);
        }
        tris.swap(next);
    }
}

_GLMmodel* make_model(const std::vector<GLfloat>& xyz, const std::vector<GLint>& tris) {
    _GLMmodel* m = (_GLMmodel*)calloc(1, sizeof(_GLMmodel));
    m->path = strdup("sphere.obj");
    m->nvertices = (GLuint)(xyz.size() / 3 - 1);
    m->vertices = (GLfloat*)malloc(xyz.size() * sizeof(GLfloat));
    memcpy(m->vertices, xyz.data(), xyz.size() * sizeof(GLfloat));
    m->ntriangles = (GLuint)(tris.size() / 3);
    m->triangles = (ModelTriangle*)calloc(m->ntriangles, sizeof(ModelTriangle));
    ModelGroup* g = (ModelGroup*)calloc(1, sizeof(ModelGroup));
    g->name = strdup("default");
    g->ntriangles = m->ntriangles;
    g->triangles = (GLuint*)malloc(m->ntriangles * sizeof(GLuint));
    for (GLuint i = 0; i < m->ntriangles; i++) {
        for (int k = 0; k < 3; k++) m->triangles[i].vert[k] = tris[3 * i + k];
        g->triangles[i] = i;
    }
    m->groups = g;
    m->ngroups = 1;
    return m;
}

// The peer: vertex normals with a table of list heads and one heap node per
// triangle corner, pushed on the front of its vertex's list.
struct Use {
    GLuint tri;
    unsigned char merged;
    Use* next;
};

void node_list_vertex_normals(_GLMmodel* m, GLfloat angle) {
    GLfloat threshold = (GLfloat)cos(angle * 3.141592653589793 / 180.0);
    free(m->normals);
    GLfloat* normals = (GLfloat*)malloc(((size_t)3 * m->ntriangles + 1) * 3 * sizeof(GLfloat));
    m->normals = normals;
    Use** heads = (Use**)malloc(((size_t)m->nvertices + 1) * sizeof(Use*));
    for (GLuint j = 1; j <= m->nvertices; j++) heads[j] = NULL;
    for (GLuint i = 0; i < m->ntriangles; i++)
        for (int k = 0; k < 3; k++) {
            Use* u = (Use*)malloc(sizeof(Use));
            u->tri = i;
            u->next = heads[m->triangles[i].vert[k]];
            heads[m->triangles[i].vert[k]] = u;
        }
    GLuint next = 1;
    for (GLuint j = 1; j <= m->nvertices; j++) {
        if (!heads[j]) {
            fputs("glmVertexNormals(): vertex w/o a triangle\n", stderr);
            continue;
        }
        GLfloat* ref = &m->facetnorms[3 * m->triangles[heads[j]->tri].facet];
        GLfloat sum[3] = {0, 0, 0};
        bool any = false;
        for (Use* u = heads[j]; u; u = u->next) {
            GLfloat* f = &m->facetnorms[3 * m->triangles[u->tri].facet];
            u->merged = glmDot(f, ref) > threshold;
            if (u->merged) {
                sum[0] += f[0], sum[1] += f[1], sum[2] += f[2];
                any = true;
            }
        }
        GLuint avg = 0;
        if (any) {
            glmNormalize(sum);
            memcpy(&normals[3 * next], sum, sizeof sum);
            avg = next++;
        }
        for (Use* u = heads[j]; u; u = u->next) {
            ModelTriangle* t = &m->triangles[u->tri];
            int k = t->vert[0] == (GLint)j ? 0 : t->vert[1] == (GLint)j ? 1 : 2;
            if (u->merged) {
                t->norm[k] = (GLint)avg;
            } else {
                memcpy(&normals[3 * next], &m->facetnorms[3 * t->facet], 3 * sizeof(GLfloat));
                t->norm[k] = (GLint)next++;
            }
        }
    }
    m->nnormals = next - 1;
    for (GLuint j = 1; j <= m->nvertices; j++)
        while (heads[j]) {
            Use* n = heads[j]->next;
            free(heads[j]);
            heads[j] = n;
        }
    free(heads);
    GLfloat* compact = (GLfloat*)malloc(((size_t)m->nnormals + 1) * 3 * sizeof(GLfloat));
    memcpy(compact, normals, ((size_t)m->nnormals + 1) * 3 * sizeof(GLfloat));
    free(normals);
    m->normals = compact;
}

// Processor time of this thread: steadier than wall time on a shared machine.
double cpu_seconds() {
    timespec ts;
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return ts.tv_sec + ts.tv_nsec * 1e-9;
}

// Best wall time and best processor time over `runs` calls.
struct Timing {
    double wall = 1e30, cpu = 1e30;
};

template <typename F>
Timing best_of(int runs, F f) {
    Timing best;
    for (int r = 0; r < runs; r++) {
        auto start = std::chrono::steady_clock::now();
        double cpu_start = cpu_seconds();
        f();
        best.cpu = std::min(best.cpu, cpu_seconds() - cpu_start);
        best.wall = std::min(best.wall, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    return best;
}

void line(const char* what, double n, Timing t) {
    printf("  %-32s %8.1f ms %7.2f M triangles/s   (processor time %8.1f ms %7.2f M/s)\n", what, t.wall * 1e3,
           n / t.wall / 1e6, t.cpu * 1e3, n / t.cpu / 1e6);
}

bool same_normals(const _GLMmodel* a, const _GLMmodel* b) {
    if (a->nnormals != b->nnormals) return false;
    if (memcmp(a->normals + 3, b->normals + 3, (size_t)a->nnormals * 3 * sizeof(GLfloat)) != 0) return false;
    for (GLuint i = 0; i < a->ntriangles; i++)
        if (memcmp(a->triangles[i].norm, b->triangles[i].norm, sizeof a->triangles[i].norm) != 0) return false;
    return true;
}

}  // namespace

int main() {
    const int runs = 5;
    std::vector<GLfloat> xyz;
    std::vector<GLint> tris;
    sphere(8, xyz, tris);
    _GLMmodel* ours = make_model(xyz, tris);
    _GLMmodel* peer = make_model(xyz, tris);
    const double n = ours->ntriangles;
    printf("subdivided sphere: %u triangles, %u vertices; best of %d runs, 90 degrees\n", ours->ntriangles,
           ours->nvertices, runs);

    Timing facet = best_of(runs, [&] { glmFacetNormals(ours); });
    Timing vertex = best_of(runs, [&] { glmVertexNormals(ours, 90); });
    glmFacetNormals(peer);
    Timing nodes = best_of(runs, [&] { node_list_vertex_normals(peer, 90); });
    Timing ours_both = best_of(runs, [&] {
        glmFacetNormals(ours);
        glmVertexNormals(ours, 90);
    });
    Timing peer_both = best_of(runs, [&] {
        glmFacetNormals(peer);
        node_list_vertex_normals(peer, 90);
    });
    bool same = same_normals(ours, peer);

    line("glmFacetNormals", n, facet);
    line("glmVertexNormals", n, vertex);
    line("node-list vertex normals (peer)", n, nodes);
    line("facet + vertex normals, ours", n, ours_both);
    line("facet + vertex normals, peer", n, peer_both);
    printf("  ratio ours / peer: vertex normals %.2fx, both together %.2fx (processor time %.2fx, %.2fx)\n",
           nodes.wall / vertex.wall, peer_both.wall / ours_both.wall, nodes.cpu / vertex.cpu,
           peer_both.cpu / ours_both.cpu);
    printf("  same numbering and normals, bit for bit: %s (%u normals)\n", same ? "yes" : "NO", ours->nnormals);

    glmDelete(ours);
    glmDelete(peer);
    return same ? 0 : 1;
}
