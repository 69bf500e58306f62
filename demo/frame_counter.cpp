// Frames per second: the count of the last completed window of at least 1000 ms.
#include "demo/fade.h"
#include "platform/win32.h"

int Get_FPS() {
    static DWORD fps_time1 = GetTickCount();
    static int fps_count = 0;
    static int fps = 0;
    DWORD now = GetTickCount();
    fps_count++;
    if (now - fps_time1 > 999) {  // unsigned: a wrap of the tick count is harmless
        fps_time1 = GetTickCount();
        fps = fps_count;
        fps_count = 0;
    }
    return fps;
}
