// The Microsoft C runtime's rand/srand: a 32-bit linear congruential generator
// whose exact sequence some callers depend on.
#include <stdint.h>

#include "platform/win32.h"

namespace msvcrt {

static uint32_t state = 1;

void srand(unsigned seed) { state = seed; }

int rand() {
    state = state * 214013u + 2531011u;
    return (int)((state >> 16) & 0x7fff);
}

}  // namespace msvcrt
