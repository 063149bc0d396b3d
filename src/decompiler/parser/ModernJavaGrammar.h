#pragma once

namespace products {
namespace zefra {
namespace decompiler {
namespace parser {

// Runs the modern structure grammar (Java up to 25) over the active parser's
// text: 0 accepted, 1 syntax error, 2 parser stack overflow. It gives the
// same kind of records as the classic grammar: classes, interfaces, enums,
// records, annotation types and modules as classes; enum constants and record
// components as fields; methods, constructors and compact constructors as
// methods. The members the compiler declares (an enum's values and valueOf,
// a record's accessors, equals, hashCode, toString and canonical
// constructor) and an interface member's implicit public are recorded as the
// class file has them. Lines count every line feed. Method bodies and
// initializers are matched by their brackets only; what they declare
// (anonymous and local classes) is still recorded.
int runModernParseLoop();

}
}
}
}
