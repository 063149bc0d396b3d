// A class-file header that reaches up into the bodies.
#pragma once

#include "body/ir/Ir.h"
