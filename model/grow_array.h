/* grow_array.h: a growing array of plain elements (moved by realloc) that
 * frees itself. Growing never loses what is there: on failure it returns
 * false and the array is as it was. Copies are not allowed. */
#ifndef QO_MODEL_GROW_ARRAY_H
#define QO_MODEL_GROW_ARRAY_H

#include <stddef.h>
#include <stdlib.h>

/* Room for `wanted` elements of `size` bytes in *block (exactly that many when
 * it grows); false, block kept, when the size overflows or memory runs out. */
bool glm_reserve(void** block, size_t* capacity, size_t wanted, size_t size);

template <typename T>
struct GlmArray {
    T* items = nullptr;
    size_t count = 0, capacity = 0;

    GlmArray() = default;
    GlmArray(const GlmArray&) = delete;
    GlmArray& operator=(const GlmArray&) = delete;
    ~GlmArray() { free(items); }
    T& operator[](size_t i) const { return items[i]; }

    bool reserve(size_t wanted) { return glm_reserve((void**)&items, &capacity, wanted, sizeof(T)); }
    /* Room for `wanted` elements in all, at least doubling when it grows. */
    bool room(size_t wanted) {
        return wanted <= capacity || reserve(wanted > 2 * capacity ? wanted : capacity ? 2 * capacity : 16);
    }
    bool push(const T& item) { return room(count + 1) && (items[count++] = item, true); }
    /* The elements become the caller's (to free); the array is empty again. */
    T* release() {
        T* taken = items;
        items = nullptr;
        count = capacity = 0;
        return taken;
    }
};

#endif
