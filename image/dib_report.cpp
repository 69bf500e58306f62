// Error reports of the BMP decoder.
#include "image/dib.h"
#include "platform/win32.h"

static_assert(sizeof(bool) == 1, "tkPopupEnable is one byte");
bool tkPopupEnable = true;

void dib_report(const char* text) {
    if (tkPopupEnable) MessageBoxA(GetFocus(), text, "Error", MB_OK);
}
