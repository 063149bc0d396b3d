// A stage's header that reaches forward into a later stage.
#pragma once

#include "body/printer/Printer.h"
