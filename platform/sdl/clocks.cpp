// The two millisecond clocks: the tick count (time since boot) and the
// multimedia time, each an unsigned 32-bit count that wraps.
#include <time.h>

#include "platform/win32.h"

static DWORD milliseconds(clockid_t clock) {
    struct timespec ts;
    clock_gettime(clock, &ts);
    return (DWORD)((uint64_t)ts.tv_sec * 1000u + (uint64_t)ts.tv_nsec / 1000000u);
}

DWORD GetTickCount(void) { return milliseconds(CLOCK_BOOTTIME); }

DWORD timeGetTime(void) { return milliseconds(CLOCK_MONOTONIC); }
