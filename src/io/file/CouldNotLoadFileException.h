#pragma once

#include "exceptions/MessageException.h"
#include "io/IOException.h"

namespace io {
namespace file {

// Opening, sizing or reading a file failed.
class CouldNotLoadFileException : public exceptions::MessageException<IOException> {
public:
    using MessageException::MessageException;
};

}
}
