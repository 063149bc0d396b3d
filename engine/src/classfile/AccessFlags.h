// Access and property flags of classes, fields, methods and inner classes.
#pragma once

#include <cstdint>

namespace jad::access {

constexpr uint16_t Public = 0x0001;
constexpr uint16_t Private = 0x0002;
constexpr uint16_t Protected = 0x0004;
constexpr uint16_t Static = 0x0008;
constexpr uint16_t Final = 0x0010;
constexpr uint16_t Super = 0x0020;         // classes
constexpr uint16_t Synchronized = 0x0020;  // methods
constexpr uint16_t Volatile = 0x0040;      // fields
constexpr uint16_t Bridge = 0x0040;        // methods
constexpr uint16_t Transient = 0x0080;     // fields
constexpr uint16_t Varargs = 0x0080;       // methods
constexpr uint16_t Native = 0x0100;
constexpr uint16_t Interface = 0x0200;
constexpr uint16_t Abstract = 0x0400;
constexpr uint16_t Strict = 0x0800;
constexpr uint16_t Synthetic = 0x1000;
constexpr uint16_t Annotation = 0x2000;
constexpr uint16_t Enum = 0x4000;
constexpr uint16_t Module = 0x8000;        // classes
constexpr uint16_t Mandated = 0x8000;      // parameters

}  // namespace jad::access
