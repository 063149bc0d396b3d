// libzip, loaded when the first archive is opened.
//
// jad starts once for every class the viewer opens, and that start-up is
// what its users wait for. libzip's shared library brings libcrypto, libbz2
// and zlib along, and loading them at every start cost about a millisecond,
// more than half of a small class's whole run; Debian ships no static
// libzip. Runs without an archive never load it.
#pragma once

#include <zip.h>

namespace jad {

// The functions jad uses, typed by libzip's own declarations.
struct ZipLibrary {
    decltype(&::zip_open) open;
    decltype(&::zip_open_from_source) openFromSource;
    decltype(&::zip_source_buffer_create) bufferSource;
    decltype(&::zip_source_free) freeSource;
    decltype(&::zip_discard) discard;
    decltype(&::zip_get_num_entries) entryCount;
    decltype(&::zip_stat_index) statIndex;
    decltype(&::zip_fopen_index) openEntry;
    decltype(&::zip_fread) readEntry;
    decltype(&::zip_fclose) closeEntry;
    decltype(&::zip_file_strerror) entryError;
    decltype(&::zip_strerror) archiveError;
    decltype(&::zip_error_init_with_code) initError;
    decltype(&::zip_error_strerror) errorText;
    decltype(&::zip_error_fini) finiError;
};

// The library, loaded once per process (safe from any thread); null when it
// cannot be loaded, with the reason in `whyNot`.
const ZipLibrary* zipLibrary(const char** whyNot);

}  // namespace jad
