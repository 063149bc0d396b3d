#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

namespace scannertest {

struct Token {
    int code;
    std::string text;
    std::int32_t line;

    bool operator==(const Token& other) const
    {
        return code == other.code && text == other.text && line == other.line;
    }
};

inline std::ostream& operator<<(std::ostream& out, const Token& token)
{
    return out << "{" << token.code << ", \"" << token.text << "\", " << token.line << "}";
}

struct ScanResult {
    std::vector<Token> tokens;
    std::string strayBytes;  // what the scanner would have copied to standard output
};

// Scans the whole text through a fresh active parser.
ScanResult scan(const std::string& text);

std::vector<int> codesOf(const std::vector<Token>& tokens);

}
