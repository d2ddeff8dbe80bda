#include "platform/desktop/idle_memory.h"

#include <malloc.h>
#include <sys/mman.h>

#include <cstdint>
#include <cstdio>
#include <cstring>

namespace velmor {

void GiveBackIdleMemory() {
    malloc_trim(0);
    std::FILE* maps = std::fopen("/proc/self/maps", "re");
    if (maps == nullptr) return;
    char line[4096];
    while (std::fgets(line, sizeof line, maps) != nullptr) {
        std::uintmax_t start = 0;
        std::uintmax_t end = 0;
        char perms[5] = {};
        if (std::sscanf(line, "%jx-%jx %4s", &start, &end, perms) != 3) {
            continue;
        }
        // Read-only file pages: dropped here, read back from the page cache.
        const char* path = std::strchr(line, '/');
        if (path != nullptr && std::strncmp(perms, "r--", 3) == 0 &&
            std::strstr(path, "/fontconfig/") != nullptr &&
            std::strstr(path, ".cache-") != nullptr) {
            ::madvise(reinterpret_cast<void*>(static_cast<std::uintptr_t>(start)), end - start,
                      MADV_DONTNEED);
        }
    }
    std::fclose(maps);
}

}  // namespace velmor
