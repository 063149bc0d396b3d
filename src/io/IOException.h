#pragma once

#include "exceptions/Exception.h"

namespace io {

// Every file and file-system failure.
// Holds no data; it exists so that callers can catch the whole family.
class IOException : public exceptions::Exception {
public:
    ~IOException() override = default;
};

}
