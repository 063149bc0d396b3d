#pragma once

namespace products {
namespace zefra {
namespace decompiler {
namespace parser {

// Runs the modern structure grammar (Java up to 25) over the active parser's
// text: 0 accepted, 1 syntax error, 2 parser stack overflow. It gives the
// same kind of records as the classic grammar: classes, interfaces, enums,
// records and annotation types as classes; enum constants and record
// components as fields; methods, constructors and compact constructors as
// methods. Method bodies and initializers are matched by their brackets
// only; what they declare (anonymous and local classes) is still recorded.
int runModernParseLoop();

}
}
}
}
