#include "platform/capture/late_libraries.h"

#include <dlfcn.h>

namespace velmor {

LateLibraries::LateLibraries(std::initializer_list<const char*> sonames) {
    for (const char* soname : sonames) {
        // Local: their symbols never stand in for the toolkit's own lookups.
        void* handle = dlopen(soname, RTLD_NOW | RTLD_LOCAL);
        if (handle == nullptr) {
            opened_ = false;
            continue;
        }
        handles_.push_back(handle);
    }
}

void* LateLibraries::Find(const char* name) const {
    for (void* handle : handles_) {
        if (void* symbol = dlsym(handle, name)) return symbol;
    }
    return nullptr;
}

}  // namespace velmor
