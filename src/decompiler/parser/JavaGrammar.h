#pragma once

namespace products {
namespace zefra {
namespace decompiler {
namespace parser {

// Runs the structure grammar over the active parser's text from its first
// byte: 0 accepted, 1 syntax error, 2 parser stack overflow. Records and
// errors go to ParserImpl::instance().
int runParseLoop();

}
}
}
}
