#pragma once

#include <ios>
#include <string>

#include "debug/assertion.h"
#include "io/file/FileHelper.h"

namespace io {
namespace file {

// Every stream failure raises, reading past the end included.
constexpr std::ios_base::iostate ALL_STREAM_FAILURES =
    std::ios_base::badbit | std::ios_base::failbit | std::ios_base::eofbit;

// Runs action and turns a stream failure into Failure with the context block
// of FileHelper::makeErrorContext. Anything else is recorded as a failed check
// at checkLine and passes through unchanged.
template <typename Failure, typename Action>
auto convertStreamFailures(const char* message, const std::string& fileName, int checkLine,
                           Action action) -> decltype(action()) {
    try {
        return action();
    } catch (const std::ios_base::failure& failure) {
        throw Failure(FileHelper::makeErrorContext(message, fileName, failure.what()));
    } catch (...) {
        assertionFailed("false", "io/file/FileHelper", checkLine);
        throw;
    }
}

}
}
