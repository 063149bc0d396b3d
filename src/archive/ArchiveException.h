#pragma once

#include "exceptions/MessageException.h"
#include "io/IOException.h"

namespace archive {

// An archive that cannot be opened or read, or an entry that is refused.
class ArchiveException : public exceptions::MessageException<io::IOException> {
public:
    using MessageException::MessageException;
};

}
