#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace products {
namespace zefra {
namespace decompiler {

// One entry of the class-structure tree: the record's name field unchanged
// and the 0-based line of the declaration.
class NameAndLine {
public:
    NameAndLine() : _line(0) {}
    NameAndLine(std::string name, std::int32_t line) : _name(std::move(name)), _line(line) {}

    const std::string& getName() const { return _name; }
    std::int32_t getLine() const { return _line; }

    bool operator==(const NameAndLine& other) const
    {
        return _name == other._name && _line == other._line;
    }

private:
    std::string _name;
    std::int32_t _line;
};

using NameAndLineList = std::vector<NameAndLine>;

}
}
}
