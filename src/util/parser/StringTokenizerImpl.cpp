#include "util/parser/StringTokenizerImpl.h"

#include <stdexcept>

#include "debug/assertion.h"

namespace util {

namespace {

const std::string::size_type NONE = std::string::npos;

}

StringTokenizerImpl::StringTokenizerImpl(const std::string& text, const std::string& delimiters)
    : _text(text), _delimiters(delimiters), _position(tokenStartFrom(0)), _remaining(0) {
    for (std::string::size_type p = _position; p != NONE; p = tokenStartFrom(delimiterFrom(p))) {
        ++_remaining;
    }
}

std::string::size_type StringTokenizerImpl::delimiterFrom(std::string::size_type index) const {
    if (index == NONE || index >= _text.size() || _delimiters.empty()) {
        return NONE;
    }
    return _text.find_first_of(_delimiters, index);
}

std::string::size_type StringTokenizerImpl::tokenStartFrom(std::string::size_type index) const {
    if (index == NONE || index >= _text.size()) {
        return NONE;
    }
    return _text.find_first_not_of(_delimiters, index);
}

std::string StringTokenizerImpl::tokenAt(std::string::size_type start) const {
    std::string::size_type end = delimiterFrom(start);
    return _text.substr(start, end == NONE ? NONE : end - start);
}

// The count is kept up to date by nextToken, the only operation that moves
// the position, so it equals a fresh scan without costing one.
unsigned StringTokenizerImpl::countTokens() const { return _remaining; }

bool StringTokenizerImpl::hasMoreTokens() const { return _position != NONE; }

std::string StringTokenizerImpl::nextToken() {
    if (!hasMoreTokens()) {
        assertionFailed("hasMoreTokens()", "util/parser/StringTokenizerImpl", __LINE__);
        throw std::out_of_range("StringTokenizerImpl::nextToken: no token remains");
    }
    std::string token = tokenAt(_position);
    _position = tokenStartFrom(delimiterFrom(_position));
    --_remaining;
    return token;
}

std::string StringTokenizerImpl::peekToken(unsigned tokensAheadOfNextToken) const {
    if (countTokens() < tokensAheadOfNextToken) {
        assertionFailed("countTokens() >= tokensAheadOfNextToken", "util/parser/StringTokenizerImpl",
                        __LINE__);
    }
    if (tokensAheadOfNextToken >= countTokens()) {
        throw std::out_of_range("StringTokenizerImpl::peekToken: no token that far ahead");
    }
    std::string::size_type p = _position;
    for (unsigned skipped = 0; skipped < tokensAheadOfNextToken; ++skipped) {
        p = tokenStartFrom(delimiterFrom(p));
    }
    return tokenAt(p);
}

}
