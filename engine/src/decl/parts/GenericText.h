// The generic type names live with the other type names, since bodies print
// them too.
#pragma once

#include "print/GenericText.h"
