// What a process holds open: file handles and mapped views, for tests that
// check a loader releases everything.
#ifndef QO_TESTS_SUPPORT_PROCESS_RESOURCES_H
#define QO_TESTS_SUPPORT_PROCESS_RESOURCES_H

#include <string>

#ifdef _WIN32
#include <windows.h>
#include <psapi.h>
#else
#include <dirent.h>

#include <fstream>
#endif

// Open file descriptors (on Windows: kernel handles of every kind).
inline int open_handles() {
#ifdef _WIN32
    DWORD count = 0;
    GetProcessHandleCount(GetCurrentProcess(), &count);
    return (int)count;
#else
    int count = 0;
    if (DIR* dir = opendir("/proc/self/fd")) {
        while (readdir(dir)) ++count;
        closedir(dir);
    }
    return count;
#endif
}

// Mapped views of files whose path contains `part`.
inline int mapped_views_of(const std::string& part) {
    int count = 0;
#ifdef _WIN32
    MEMORY_BASIC_INFORMATION region;
    for (char* at = nullptr; VirtualQuery(at, &region, sizeof region) == sizeof region;
         at = (char*)region.BaseAddress + region.RegionSize) {
        char name[MAX_PATH * 2] = {};
        if (region.Type == MEM_MAPPED && region.BaseAddress == region.AllocationBase &&
            GetMappedFileNameA(GetCurrentProcess(), region.BaseAddress, name, sizeof name))
            count += std::string(name).find(part) != std::string::npos;
    }
#else
    std::ifstream maps("/proc/self/maps");
    std::string line;
    while (std::getline(maps, line)) count += line.find(part) != std::string::npos;
#endif
    return count;
}

#endif
