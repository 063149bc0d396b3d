#pragma once

namespace products {
namespace zefra {
namespace decompiler {
namespace parser {

// The parsing result is a sequence of records of five fields, each field
// followed by this separator:
//   depth ; line ; kind ; access ; name ;
// depth  class-nesting depth, 0 for a top-level type
// line   0-based line of the declaration's name
// kind   RECORD_KIND_CLASS, RECORD_KIND_METHOD or RECORD_KIND_FIELD
// access the modifier keywords in source order, or "package"
// name   the declaration's text, cut before its first "{", ";" made blanks
// An empty result (no class declared) is valid.
const char RECORD_SEPARATOR = ';';
const int RECORD_FIELD_COUNT = 5;

const int RECORD_KIND_CLASS = 0;   // class or interface
const int RECORD_KIND_METHOD = 1;  // method or constructor
const int RECORD_KIND_FIELD = 2;   // field declaration, all its declarators

}
}
}
}
