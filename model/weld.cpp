// Welding: merging vectors that lie within epsilon of one another.
//
// Each vector joins the earliest unique vector (in creation order) that
// glmEqual accepts, or becomes a new unique vector itself. Instead of comparing
// with every unique vector found so far, the unique vectors are kept in a hash
// of grid cells of side at least 2 * epsilon, and only the 27 cells around a
// vector are searched; the earliest match among them is the earliest overall,
// so the result is exactly that of the full comparison.
#include <math.h>
#include <stdint.h>
#include <stdlib.h>
#include <string.h>

#include "model/include2.h"

namespace {

struct WeldCell {
    int32_t key[3];
    uint32_t head; /* first unique vector in the cell, 0 for an empty slot */
    uint32_t tail;
};

struct WeldGrid {
    WeldCell* cells;
    size_t mask;      /* slot count - 1, a power of two */
    uint32_t* next;   /* next unique vector in the same cell, 0 at the end */
    double inverse;   /* 1 / cell side */
};

size_t weldHash(const int32_t* key) {
    uint64_t h = (uint32_t)key[0] * 0x9E3779B97F4A7C15ull;
    h ^= (uint32_t)key[1] * 0xC2B2AE3D27D4EB4Full + (h << 6) + (h >> 2);
    h ^= (uint32_t)key[2] * 0x165667B19E3779F9ull + (h << 6) + (h >> 2);
    return (size_t)(h ^ (h >> 29));
}

WeldCell* weldFind(WeldGrid* grid, const int32_t* key) {
    size_t slot = weldHash(key) & grid->mask;
    for (;;) {
        WeldCell* cell = &grid->cells[slot];
        if (cell->head == 0 || (cell->key[0] == key[0] && cell->key[1] == key[1] && cell->key[2] == key[2]))
            return cell;
        slot = (slot + 1) & grid->mask;
    }
}

bool finite3(const GLfloat* v) { return isfinite(v[0]) && isfinite(v[1]) && isfinite(v[2]); }

// Earliest unique vector (index < limit) that matches v, or 0.
uint32_t weldDirect(GLfloat* unique, uint32_t limit, GLfloat* v, GLfloat epsilon) {
    for (uint32_t j = 1; j < limit; j++)
        if (glmEqual(v, &unique[3 * (size_t)j], epsilon)) return j;
    return 0;
}

// Welds vectors 1..n into unique (already a copy of vectors); index[i], when
// given, receives vector i's new index exactly. Returns the unique count.
uint32_t weldInto(GLfloat* vectors, uint32_t n, GLfloat epsilon, GLfloat* unique, uint32_t* index) {
    uint32_t k = 0;

    // Nothing matches when epsilon is 0, negative or not a number.
    if (!(epsilon > 0)) {
        // Every vector is its own unique vector, already in place in the copy.
        for (size_t i = 1; i <= n; i++) {
            vectors[3 * (size_t)i] = (GLfloat)i;
            if (index) index[i] = (uint32_t)i;
        }
        return n;
    }

    // The cell side: at least 2 * epsilon, and large enough that every finite
    // coordinate divided by it stays within 2^30, where the double quotient is
    // accurate to far better than the half cell of slack that the factor 2 gives.
    // Then vectors within epsilon always lie in neighbouring cells.
    double largest = 0;
    for (size_t i = 1; i <= n; i++) {
        const GLfloat* v = &vectors[3 * (size_t)i];
        if (!finite3(v)) continue;
        for (int c = 0; c < 3; c++) largest = fmax(largest, fabs((double)v[c]));
    }
    const double side = fmax(2.0 * (double)epsilon, ldexp(largest, -30));

    WeldGrid grid = {};
    size_t slots = 16;
    while (slots < 2 * (size_t)n) slots *= 2;
    grid.cells = (WeldCell*)calloc(slots, sizeof(WeldCell));
    grid.next = (uint32_t*)calloc((size_t)n + 1, sizeof(uint32_t));
    grid.mask = slots - 1;
    grid.inverse = 1.0 / side;
    const bool usegrid = grid.cells && grid.next && isfinite(side) && isfinite(grid.inverse) && grid.inverse > 0;

    for (size_t i = 1; i <= n; i++) {
        GLfloat* v = &vectors[3 * (size_t)i];
        uint32_t match = 0;
        int32_t key[3] = {0, 0, 0};
        const bool finite = finite3(v);

        if (!usegrid) {
            // An infinite epsilon (or no memory for the grid): the plain scan.
            match = weldDirect(unique, k + 1, v, epsilon);
        } else if (finite) {
            // (A vector with an infinite or NaN component never matches with a
            // finite epsilon, so such vectors stay out of the grid.)
            // A neighbouring cell can hold a match only on the side where the
            // vector lies within half a cell (epsilon) of the border; the margin
            // of 0.001 cell dwarfs the rounding of the quotient.
            int lo[3], hi[3];
            for (int c = 0; c < 3; c++) {
                const double q = (double)v[c] * grid.inverse, cell = floor(q), fraction = q - cell;
                key[c] = (int32_t)cell;
                lo[c] = fraction < 0.501 ? -1 : 0;
                hi[c] = fraction > 0.499 ? 1 : 0;
            }
            uint32_t best = UINT32_MAX;
            for (int dx = lo[0]; dx <= hi[0]; dx++)
                for (int dy = lo[1]; dy <= hi[1]; dy++)
                    for (int dz = lo[2]; dz <= hi[2]; dz++) {
                        int32_t neighbour[3] = {key[0] + dx, key[1] + dy, key[2] + dz};
                        WeldCell* cell = weldFind(&grid, neighbour);
                        // Members are in creation order: the first match is the cell's earliest.
                        for (uint32_t j = cell->head; j != 0 && j < best; j = grid.next[j])
                            if (glmEqual(v, &unique[3 * (size_t)j], epsilon)) {
                                best = j;
                                break;
                            }
                    }
            if (best != UINT32_MAX) match = best;
        }

        if (match == 0) {
            k++;
            memmove(&unique[3 * (size_t)k], v, 3 * sizeof(GLfloat));
            match = k;
            if (usegrid && finite) {
                WeldCell* cell = weldFind(&grid, key);
                if (cell->head == 0) {
                    memcpy(cell->key, key, sizeof key);
                    cell->head = k;
                } else {
                    grid.next[cell->tail] = k;
                }
                cell->tail = k;
            }
        }
        v[0] = (GLfloat)match;
        if (index) index[i] = match;
    }

    free(grid.cells);
    free(grid.next);
    return k;
}

}  // namespace

GLfloat* glmWeldVectors(GLfloat* vectors, GLuint* numvectors, GLfloat epsilon) {
    const size_t n = *numvectors;
    GLfloat* unique = (GLfloat*)malloc((n + 1) * 3 * sizeof(GLfloat));
    if (!unique) return NULL;  // nothing changed: count and vectors as they were
    memcpy(unique, vectors, (n + 1) * 3 * sizeof(GLfloat));
    *numvectors = weldInto(vectors, (uint32_t)n, epsilon, unique, NULL);
    return unique;
}

void glmWeld(_GLMmodel* model, GLfloat epsilon) {
    const GLuint n = model->nvertices;
    GLfloat* unique = (GLfloat*)malloc(((size_t)n + 1) * 3 * sizeof(GLfloat));
    // The new indices are kept as integers too, so that models beyond the 2^24
    // vertices a float counts exactly are renumbered exactly.
    GLuint* index = (GLuint*)malloc(((size_t)n + 1) * sizeof(GLuint));
    if (!unique || !index) {  // out of memory: the model stays as it was
        free(unique);
        free(index);
        return;
    }
    memcpy(unique, model->vertices, ((size_t)n + 1) * 3 * sizeof(GLfloat));
    const GLuint k = weldInto(model->vertices, n, epsilon, unique, index);

    for (GLuint t = 0; t < model->ntriangles; t++)
        for (int c = 0; c < 3; c++) {
            GLint v = model->triangles[t].vert[c];
            // A corner naming no vertex is left as it is rather than read out of bounds.
            if (v >= 1 && (GLuint)v <= n) model->triangles[t].vert[c] = (GLint)index[v];
        }
    free(index);

    free(model->vertices);
    model->nvertices = k;
    model->vertices = (GLfloat*)realloc(unique, ((size_t)k + 1) * 3 * sizeof(GLfloat));
    if (!model->vertices) model->vertices = unique;  // shrinking failed: keep the larger block
}
