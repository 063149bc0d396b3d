// libFuzzer target: arbitrary bytes read as an archive. Only ArchiveError
// may come out, and no entry may hold more than the limit allows; each class
// entry read is then checked for a name that is safe to place below a
// directory.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "archive/Archive.h"
#include "archive/EntryNames.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    jad::ArchiveLimits limits;
    // Small limits keep each run fast while reaching the same checks.
    limits.maxEntryBytes = 1 << 20;
    limits.maxTotalBytes = 4 << 20;
    limits.ratioFrom = 1 << 16;
    try {
        jad::ArchiveClasses classes = jad::readArchiveBytes(data, size, limits);
        for (const jad::ArchiveEntry& entry : classes.entries) {
            if (entry.bytes.size() > limits.maxEntryBytes || jad::unsafeEntryName(entry.name)) std::abort();
        }
    } catch (const jad::ArchiveError&) {
    }
    return 0;
}
