// One unit's work, on any thread: read, build the class tree, print.
#pragma once

#include "cli/InputQueue.h"
#include "cli/Units.h"
#include "print/PrintOptions.h"

namespace jad {

// `cache` belongs to the calling thread and to the units of one archive or
// directory (its keys are their paths).
InputResult decompileUnit(const ClassUnit& unit, const LoadedArchive* archive, const PrintOptions& options,
                          SiblingCache& cache);

}  // namespace jad
