// A body header that looks down, as it may.
#pragma once

#include "classfile/Reader.h"
