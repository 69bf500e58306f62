/* name_table.h: names mapped to their indices in the order they were added,
 * found through a hash of the name. The reader keeps its groups and
 * materials in these, so that finding one costs the same however many there
 * are. */
#ifndef QO_MODEL_NAME_TABLE_H
#define QO_MODEL_NAME_TABLE_H

#include <stddef.h>
#include <stdint.h>

#include "model/grow_array.h"

constexpr uint32_t GLM_NO_NAME = UINT32_MAX;

/* Open addressing. A slot holds what a probe needs, so that finding a name
 * touches its slot and its text only. */
struct GlmNameSlot {
    uint32_t index1; /* entry index + 1; 0: free */
    uint32_t tag;    /* the hash's upper half */
    size_t offset;   /* of the name in the table's text */
};

struct GlmNameTable {
    GlmArray<char> text;      /* the names one after another, each NUL-terminated */
    GlmArray<size_t> offsets; /* by index, the order of adding: where each name is in text */
    GlmNameSlot* slots = nullptr;
    size_t slot_mask = 0; /* slot count - 1 (a power of two, at most half of them used); slots null until the first name */
    /* Tests and benchmarks: names are found by comparing with every name in
     * the order of adding, as a search along a list does, instead of by hash. */
    bool linear = false;
    ~GlmNameTable() { free(slots); }
};

static inline uint32_t glm_names_count(const GlmNameTable* table) { return (uint32_t)table->offsets.count; }

/* The index of `name`, or GLM_NO_NAME. */
uint32_t glm_names_find(const GlmNameTable* table, const char* name);

/* The index of `name`, added with the next index when it is not there yet
 * (*added tells which). GLM_NO_NAME when memory runs out. */
uint32_t glm_names_add(GlmNameTable* table, const char* name, bool* added);

/* Adds an entry with the next index whatever it holds: `name` is found
 * through it only when no earlier entry has that name, and a null name
 * (stored as empty) never. The index, or GLM_NO_NAME when memory runs out. */
uint32_t glm_names_append(GlmNameTable* table, const char* name);

static inline const char* glm_names_at(const GlmNameTable* table, uint32_t index) {
    return table->text.items + table->offsets[index];
}

#endif
