#pragma once

#include "exceptions/MessageException.h"
#include "io/IOException.h"

namespace windows {
namespace file {

// A directory or path query of the operating system failed; the subclasses name which one.
class WindowsFileException : public exceptions::MessageException<io::IOException> {
public:
    using MessageException::MessageException;
};

}
}
