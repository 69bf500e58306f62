// The file entry points: open the file, map all of it read-only, decode the
// mapped bytes, release everything, and report a file that cannot be opened.
#include <string>

#include "image/dib.h"
#include "platform/win32.h"

namespace {

// A 16-bit name as UTF-8, for the 8-bit message text; unpaired surrogates
// become U+FFFD.
std::string utf8_from_wide(const WCHAR* name) {
    std::string out;
    for (size_t i = 0; name[i]; ++i) {
        uint32_t c = name[i];
        if (c >= 0xd800 && c < 0xdc00 && name[i + 1] >= 0xdc00 && name[i + 1] < 0xe000) {
            c = 0x10000 + ((c - 0xd800) << 10) + (uint32_t(name[i + 1]) - 0xdc00);
            ++i;
        } else if (c >= 0xd800 && c < 0xe000) {
            c = 0xfffd;
        }
        if (c < 0x80) {
            out += char(c);
        } else if (c < 0x800) {
            out += char(0xc0 | c >> 6), out += char(0x80 | (c & 0x3f));
        } else if (c < 0x10000) {
            out += char(0xe0 | c >> 12), out += char(0x80 | (c >> 6 & 0x3f)), out += char(0x80 | (c & 0x3f));
        } else {
            out += char(0xf0 | c >> 18), out += char(0x80 | (c >> 12 & 0x3f));
            out += char(0x80 | (c >> 6 & 0x3f)), out += char(0x80 | (c & 0x3f));
        }
    }
    return out;
}

}  // namespace

RgbImage* auxDIBImageLoadA(const char* fileName) { return tkDIBImageLoadAW(fileName, false); }

RgbImage* tkDIBImageLoadAW(const void* fileName, bool wide) {
    RgbImage* image = nullptr;
    bool opened = false;
    HANDLE mapping = nullptr;
    const void* view = nullptr;
    HANDLE file = wide ? CreateFileW(static_cast<LPCWSTR>(fileName), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                     OPEN_EXISTING, 0, nullptr)
                       : CreateFileA(static_cast<LPCSTR>(fileName), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                     OPEN_EXISTING, 0, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        DWORD sizeHigh = 0;
        DWORD size = GetFileSize(file, &sizeHigh);
        mapping = CreateFileMappingA(file, nullptr, PAGE_READONLY, 0, 0, nullptr);
        if (mapping) view = MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, 0);
        if (view && size != INVALID_FILE_SIZE) {
            opened = true;
            // Offsets in a BMP are 32-bit: a file of 4 GiB or more is read
            // as its first 4 GiB less one byte, which no valid header reaches past.
            size_t length = sizeHigh ? size_t(0xffffffffu) : size_t(size);
            image = dib_decode(static_cast<const uint8_t*>(view), length);
        }
    }
    if (view) UnmapViewOfFile(view);
    if (mapping) CloseHandle(mapping);
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);

    if (!opened) {  // shown after the releases, keeping its line break
        std::string name = wide ? utf8_from_wide(static_cast<const WCHAR*>(fileName))
                                : std::string(static_cast<const char*>(fileName));
        std::string text = "Failed to open DIB file " + name + ".\n";
        dib_report(text.c_str());
    }
    return image;
}
