// Names to indices through an open-addressing hash table over the entries.
#include "model/name_table.h"

#include <stdlib.h>
#include <string.h>

#include "model/read_support.h"

bool glm_names_linear = false;

/* FNV-1a: names are short, and this spreads them well enough. */
static uint64_t name_hash(const char* name, size_t length) {
    uint64_t h = 0xcbf29ce484222325ull;
    for (size_t i = 0; i < length; i++) h = (h ^ (unsigned char)name[i]) * 0x100000001b3ull;
    return h;
}

static uint32_t find_hashed(const GlmNameTable* table, const char* name, uint64_t hash) {
    if (glm_names_linear) {
        for (uint32_t i = 0; i < table->count; i++)
            if (strcmp(name, glm_names_at(table, i)) == 0) return i;
        return GLM_NO_NAME;
    }
    if (!table->slots) return GLM_NO_NAME;
    for (size_t s = (size_t)hash & table->slot_mask;; s = (s + 1) & table->slot_mask) {
        uint32_t slot = table->slots[s];
        if (slot == 0) return GLM_NO_NAME;
        const GlmNameEntry* e = &table->entries[slot - 1];
        if (e->hash == hash && strcmp(name, table->text + e->offset) == 0) return slot - 1;
    }
}

uint32_t glm_names_find(const GlmNameTable* table, const char* name) {
    return find_hashed(table, name, name_hash(name, strlen(name)));
}

/* Doubles the slots (at most half of them in use) and places every entry again. */
static bool grow_slots(GlmNameTable* table) {
    size_t count = table->slots ? 2 * (table->slot_mask + 1) : 64;
    uint32_t* slots = (uint32_t*)calloc(count, sizeof *slots);
    if (!slots) return false;
    for (uint32_t i = 0; i < table->count; i++) {
        size_t s = (size_t)table->entries[i].hash & (count - 1);
        while (slots[s]) s = (s + 1) & (count - 1);
        slots[s] = i + 1;
    }
    free(table->slots);
    table->slots = slots;
    table->slot_mask = count - 1;
    return true;
}

uint32_t glm_names_add(GlmNameTable* table, const char* name, bool* added) {
    size_t length = strlen(name);
    uint64_t hash = name_hash(name, length);
    *added = false;
    uint32_t found = find_hashed(table, name, hash);
    if (found != GLM_NO_NAME) return found;
    if (table->count >= GLM_NO_NAME - 1) return GLM_NO_NAME;
    if (!glm_room((void**)&table->text, &table->text_capacity, table->text_size + length + 1, 1) ||
        !glm_room((void**)&table->entries, &table->entry_capacity, (size_t)table->count + 1, sizeof(GlmNameEntry)))
        return GLM_NO_NAME;
    if ((!table->slots || 2 * ((size_t)table->count + 1) > table->slot_mask + 1) && !grow_slots(table))
        return GLM_NO_NAME;

    uint32_t index = table->count++;
    memcpy(table->text + table->text_size, name, length + 1);
    table->entries[index] = {table->text_size, hash};
    table->text_size += length + 1;
    size_t s = (size_t)hash & table->slot_mask;
    while (table->slots[s]) s = (s + 1) & table->slot_mask;
    table->slots[s] = index + 1;
    *added = true;
    return index;
}

void glm_names_free(GlmNameTable* table) {
    free(table->text);
    free(table->entries);
    free(table->slots);
    *table = GlmNameTable{};
}
