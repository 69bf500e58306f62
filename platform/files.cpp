// Files, read-only file mappings and local memory over POSIX.
#include <fcntl.h>
#include <stdlib.h>
#include <string.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <map>
#include <string>

#include "platform/win32.h"

namespace {

enum class Kind { File, Mapping };

struct Handle {
    Kind kind;
    int fd;       // File: owned descriptor; Mapping: the file's descriptor (not owned)
    size_t size;  // Mapping: bytes of the file at mapping time
};

std::map<const void*, size_t> views;  // mapped address -> length, for UnmapViewOfFile

Handle* as_handle(HANDLE h) {
    if (h == nullptr || h == INVALID_HANDLE_VALUE) return nullptr;
    return static_cast<Handle*>(h);
}

HANDLE open_file(const char* name, DWORD access, DWORD disposition) {
    // Only reading existing files is provided.
    if (!name || access != GENERIC_READ || disposition != OPEN_EXISTING) return INVALID_HANDLE_VALUE;
    int fd = open(name, O_RDONLY | O_CLOEXEC);
    if (fd < 0) return INVALID_HANDLE_VALUE;
    struct stat st;
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        close(fd);
        return INVALID_HANDLE_VALUE;
    }
    return new Handle{Kind::File, fd, 0};
}

std::string utf8_from_utf16(const WCHAR* s) {
    std::string out;
    for (; *s; ++s) {
        uint32_t c = *s;
        if (c >= 0xD800 && c < 0xDC00 && s[1] >= 0xDC00 && s[1] < 0xE000) {
            c = 0x10000 + ((c - 0xD800) << 10) + (s[1] - 0xDC00);
            ++s;
        }
        if (c < 0x80) {
            out += (char)c;
        } else if (c < 0x800) {
            out += (char)(0xC0 | (c >> 6));
            out += (char)(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += (char)(0xE0 | (c >> 12));
            out += (char)(0x80 | ((c >> 6) & 0x3F));
            out += (char)(0x80 | (c & 0x3F));
        } else {
            out += (char)(0xF0 | (c >> 18));
            out += (char)(0x80 | ((c >> 12) & 0x3F));
            out += (char)(0x80 | ((c >> 6) & 0x3F));
            out += (char)(0x80 | (c & 0x3F));
        }
    }
    return out;
}

}  // namespace

HANDLE CreateFileA(LPCSTR name, DWORD access, DWORD, void*, DWORD disposition, DWORD, HANDLE) {
    return open_file(name, access, disposition);
}

HANDLE CreateFileW(LPCWSTR name, DWORD access, DWORD, void*, DWORD disposition, DWORD, HANDLE) {
    if (!name) return INVALID_HANDLE_VALUE;
    return open_file(utf8_from_utf16(name).c_str(), access, disposition);
}

DWORD GetFileSize(HANDLE file, DWORD* sizeHigh) {
    Handle* h = as_handle(file);
    struct stat st;
    if (!h || h->kind != Kind::File || fstat(h->fd, &st) != 0) return INVALID_FILE_SIZE;
    uint64_t size = (uint64_t)st.st_size;
    if (sizeHigh) *sizeHigh = (DWORD)(size >> 32);
    return (DWORD)size;
}

HANDLE CreateFileMappingA(HANDLE file, void*, DWORD protect, DWORD sizeHigh, DWORD sizeLow, LPCSTR) {
    Handle* h = as_handle(file);
    if (!h || h->kind != Kind::File || protect != PAGE_READONLY || sizeHigh || sizeLow) return nullptr;
    struct stat st;
    if (fstat(h->fd, &st) != 0) return nullptr;
    if (st.st_size == 0) return nullptr;  // an empty file cannot be mapped
    return new Handle{Kind::Mapping, h->fd, (size_t)st.st_size};
}

LPVOID MapViewOfFile(HANDLE mapping, DWORD access, DWORD offsetHigh, DWORD offsetLow, size_t bytes) {
    Handle* h = as_handle(mapping);
    if (!h || h->kind != Kind::Mapping || access != FILE_MAP_READ || offsetHigh || offsetLow) return nullptr;
    size_t length = bytes ? bytes : h->size;
    if (length > h->size) return nullptr;
    void* view = mmap(nullptr, length, PROT_READ, MAP_PRIVATE, h->fd, 0);
    if (view == MAP_FAILED) return nullptr;
    views[view] = length;
    return view;
}

BOOL UnmapViewOfFile(const void* view) {
    auto it = views.find(view);
    if (it == views.end()) return FALSE;
    munmap(const_cast<void*>(it->first), it->second);
    views.erase(it);
    return TRUE;
}

BOOL CloseHandle(HANDLE handle) {
    Handle* h = as_handle(handle);
    if (!h) return FALSE;
    if (h->kind == Kind::File) close(h->fd);
    delete h;
    return TRUE;
}

HLOCAL LocalAlloc(UINT flags, size_t bytes) {
    void* p = (flags & LMEM_ZEROINIT) ? calloc(1, bytes ? bytes : 1) : malloc(bytes ? bytes : 1);
    return static_cast<HLOCAL>(p);
}

HLOCAL LocalFree(HLOCAL memory) {
    free(memory);
    return nullptr;
}
