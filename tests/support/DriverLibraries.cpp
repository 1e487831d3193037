#include "support/DriverLibraries.h"

#include <dlfcn.h>
#include <link.h>

#include <cstring>

namespace {

// Mesa's driver and what it loads: the DRI or gallium driver, LLVM's JIT, the
// dispatch tables and EGL's Mesa vendor library.
bool isDriverLibrary(const char* path) {
    const char* const parts[] = {"/dri/", "libgallium", "libLLVM", "libglapi", "libEGL_mesa",
                                 "libGLX_mesa", "libdrm"};
    for (const char* part : parts) {
        if (std::strstr(path, part) != nullptr) return true;
    }
    return false;
}

int holdOne(dl_phdr_info* info, size_t, void* count) {
    const char* path = info->dlpi_name;
    if (path == nullptr || *path == '\0' || !isDriverLibrary(path)) return 0;
    // Only what is loaded already: one more reference keeps it loaded, and it
    // is never closed.
    if (dlopen(path, RTLD_LAZY | RTLD_NOLOAD) != nullptr) ++*static_cast<int*>(count);
    return 0;
}

}  // namespace

int holdGlDriverLibraries() {
    int count = 0;
    dl_iterate_phdr(holdOne, &count);
    return count;
}
