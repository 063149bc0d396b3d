#pragma once

namespace products {
namespace zefra {
namespace decompiler {
namespace parser {

// Which grammar reads a Java text: the classic one, for the engine's classic
// output, or the modern one, for Java up to 25 (the engine's -m output).
enum class JavaDialect { Classic, Modern };

}
}
}
}
