// Names to indices through an open-addressing hash table over the entries.
#include "model/name_table.h"

#include <stdlib.h>
#include <string.h>

#include "model/read_support.h"

/* FNV-1a over the bytes, then mixed so that the low bits, which pick the
 * slot, depend on every bit (FNV-1a alone leaves them weak: names that
 * differ in their last digits crowd together). */
static uint64_t name_hash(const char* name) {
    uint64_t h = 0xcbf29ce484222325ull;
    for (; *name; ++name) h = (h ^ (unsigned char)*name) * 0x100000001b3ull;
    h ^= h >> 33;
    h *= 0xff51afd7ed558ccdull;
    h ^= h >> 33;
    return h;
}

/* The slot that holds `name`, or the free slot where it would go. */
static size_t probe(const GlmNameTable* table, const char* name, uint64_t hash) {
    const uint32_t tag = (uint32_t)(hash >> 32);
    size_t s = (size_t)hash & table->slot_mask;
    for (;; s = (s + 1) & table->slot_mask) {
        const GlmNameSlot* slot = &table->slots[s];
        if (!slot->index1 || (slot->tag == tag && strcmp(name, table->text.items + slot->offset) == 0)) return s;
    }
}

static uint32_t find_hashed(const GlmNameTable* table, const char* name, uint64_t hash) {
    if (table->linear) {
        for (uint32_t i = 0; i < glm_names_count(table); i++) {
            /* Names found through no slot (shadowed, unnamed) are not found here either. */
            if (strcmp(name, glm_names_at(table, i)) != 0) continue;
            const GlmNameSlot* slot = &table->slots[probe(table, name, hash)];
            if (slot->index1 == i + 1) return i;
        }
        return GLM_NO_NAME;
    }
    if (!table->slots) return GLM_NO_NAME;
    const GlmNameSlot* slot = &table->slots[probe(table, name, hash)];
    return slot->index1 ? slot->index1 - 1 : GLM_NO_NAME;
}

uint32_t glm_names_find(const GlmNameTable* table, const char* name) {
    return find_hashed(table, name, name_hash(name));
}

/* Doubles the slots and places every name in them again. */
static bool grow_slots(GlmNameTable* table) {
    size_t count = table->slots ? 2 * (table->slot_mask + 1) : 64;
    GlmNameSlot* slots = (GlmNameSlot*)glm_calloc_array(count, sizeof *slots);
    if (!slots) return false;
    for (size_t old = 0; table->slots && old <= table->slot_mask; old++) {
        const GlmNameSlot* slot = &table->slots[old];
        if (!slot->index1) continue;
        size_t s = (size_t)name_hash(table->text.items + slot->offset) & (count - 1);
        while (slots[s].index1) s = (s + 1) & (count - 1);
        slots[s] = *slot;
    }
    free(table->slots);
    table->slots = slots;
    table->slot_mask = count - 1;
    return true;
}

/* Appends the entry; with `hash`, also fills `slot` with it. */
static uint32_t append(GlmNameTable* table, const char* name, uint64_t hash, bool place) {
    const size_t count = table->offsets.count;
    if (count >= GLM_NO_NAME - 1) return GLM_NO_NAME;
    size_t length = strlen(name);
    if (!table->text.room(table->text.count + length + 1) || !table->offsets.room(count + 1)) return GLM_NO_NAME;
    /* At most half the slots in use keeps probes short. */
    if ((!table->slots || 2 * (count + 1) > table->slot_mask + 1) && !grow_slots(table)) return GLM_NO_NAME;
    const size_t offset = table->text.count;
    memcpy(table->text.items + offset, name, length + 1);
    table->text.count += length + 1;
    table->offsets.push(offset);
    if (place) table->slots[probe(table, name, hash)] = {(uint32_t)count + 1, (uint32_t)(hash >> 32), offset};
    return (uint32_t)count;
}

uint32_t glm_names_add(GlmNameTable* table, const char* name, bool* added) {
    uint64_t hash = name_hash(name);
    uint32_t found = find_hashed(table, name, hash);
    *added = found == GLM_NO_NAME;
    return *added ? append(table, name, hash, true) : found;
}

uint32_t glm_names_append(GlmNameTable* table, const char* name) {
    if (!name) return append(table, "", 0, false);
    uint64_t hash = name_hash(name);
    return append(table, name, hash, find_hashed(table, name, hash) == GLM_NO_NAME);
}
