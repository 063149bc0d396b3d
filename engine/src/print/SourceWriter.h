// Collects output lines with four-space indentation and CR LF line ends.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace jad {

class SourceWriter {
public:
    // An output larger than this means the input was built to amplify.
    static constexpr size_t MaxBytes = size_t{64} << 20;

    void line(const std::string& text);
    void lines(const std::vector<std::string>& texts);
    void blank();
    void indent() { ++_level; }
    void dedent() { if (_level > 0) --_level; }

    const std::string& text() const { return _text; }
    // The text written, a string per line without its line end.
    std::vector<std::string> writtenLines() const;

private:
    std::string _text;
    int _level = 0;
};

}  // namespace jad
