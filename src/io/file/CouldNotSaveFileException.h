#pragma once

#include "exceptions/MessageException.h"
#include "io/IOException.h"

namespace io {
namespace file {

// Opening or writing a file failed.
class CouldNotSaveFileException : public exceptions::MessageException<IOException> {
public:
    using MessageException::MessageException;
};

}
}
