#include "archive/ZipLibrary.h"

#include <dlfcn.h>

#include <string>

namespace jad {

namespace {

struct Loaded {
    ZipLibrary library{};
    bool ok = false;
    std::string whyNot;
};

// The sonames of libzip 1.x, newest first.
constexpr const char* const Sonames[] = {"libzip.so.5", "libzip.so.4", "libzip.so"};

template <typename Function>
bool resolve(void* handle, const char* symbol, Function& into, std::string& whyNot) {
    void* address = dlsym(handle, symbol);
    if (!address) {
        whyNot = std::string("libzip lacks ") + symbol;
        return false;
    }
    into = reinterpret_cast<Function>(address);
    return true;
}

Loaded load() {
    Loaded loaded;
    void* handle = nullptr;
    for (const char* soname : Sonames) {
        handle = dlopen(soname, RTLD_NOW | RTLD_LOCAL);
        if (handle) break;
    }
    if (!handle) {
        loaded.whyNot = "cannot read archives: libzip is not installed (libzip.so.4 or .5)";
        return loaded;
    }
    // Kept loaded for the rest of the run: its functions are called from every thread.
    ZipLibrary& z = loaded.library;
    std::string& why = loaded.whyNot;
    loaded.ok = resolve(handle, "zip_open", z.open, why) &&
                resolve(handle, "zip_open_from_source", z.openFromSource, why) &&
                resolve(handle, "zip_source_buffer_create", z.bufferSource, why) &&
                resolve(handle, "zip_source_free", z.freeSource, why) &&
                resolve(handle, "zip_discard", z.discard, why) &&
                resolve(handle, "zip_get_num_entries", z.entryCount, why) &&
                resolve(handle, "zip_stat_index", z.statIndex, why) &&
                resolve(handle, "zip_fopen_index", z.openEntry, why) &&
                resolve(handle, "zip_fread", z.readEntry, why) &&
                resolve(handle, "zip_fclose", z.closeEntry, why) &&
                resolve(handle, "zip_file_strerror", z.entryError, why) &&
                resolve(handle, "zip_strerror", z.archiveError, why) &&
                resolve(handle, "zip_error_init_with_code", z.initError, why) &&
                resolve(handle, "zip_error_strerror", z.errorText, why) &&
                resolve(handle, "zip_error_fini", z.finiError, why);
    if (!loaded.ok) loaded.whyNot = "cannot read archives: " + loaded.whyNot;
    return loaded;
}

}  // namespace

const ZipLibrary* zipLibrary(const char** whyNot) {
    static const Loaded loaded = load();
    if (!loaded.ok && whyNot) *whyNot = loaded.whyNot.c_str();
    return loaded.ok ? &loaded.library : nullptr;
}

}  // namespace jad
