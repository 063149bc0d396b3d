#pragma once

namespace platform {

// The one character that separates path components.
#ifdef _WIN32
constexpr char PATH_SEPARATOR = '\\';
#else
constexpr char PATH_SEPARATOR = '/';
#endif

}
