// Arbitrary bytes as configuration text: parsing and every editing operation
// must end in a result or one of the system's exceptions, and a successful
// edit must leave a text that parses to the same table size.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "exceptions/Exception.h"
#include "util/StringHelper.h"
#include "util/config/ConfigImpl.h"
#include "util/parser/StringTokenizerImpl.h"

namespace {

using util::config::ConfigImpl;

const unsigned MAX_KEYS_TRIED = 4;

// Candidate keys: the first "="-separated piece of the first few lines.
std::vector<std::string> candidateKeys(const std::string& text) {
    std::vector<std::string> keys;
    util::StringTokenizerImpl lines(text, util::CRLF);
    while (lines.hasMoreTokens() && keys.size() < MAX_KEYS_TRIED) {
        util::StringTokenizerImpl pieces(lines.nextToken(), "=");
        if (pieces.hasMoreTokens()) {
            std::string key = pieces.nextToken();
            keys.push_back(key[0] == '#' ? key.substr(1) : key);
        }
    }
    return keys;
}

void requireConsistent(const ConfigImpl& config) {
    ConfigImpl reparsed(config.getConfigText(), ConfigImpl::SOURCE_TEXT);
    if (reparsed.keyCount() != config.keyCount()) {
        __builtin_trap();
    }
}

template <typename Operation>
void attempt(ConfigImpl& config, Operation operation) {
    try {
        operation();
    } catch (const exceptions::Exception&) {
    }
    requireConsistent(config);
}

void exerciseKey(ConfigImpl& config, const std::string& key) {
    attempt(config, [&] { config.getBool(key); });
    attempt(config, [&] { config.getInt(key); });
    attempt(config, [&] { config.setString(key, "x\n" + key + "=y"); });
    attempt(config, [&] { config.setInt(key, -12); });
    attempt(config, [&] { config.commentKey(key); });
    attempt(config, [&] { config.uncommentKey(key); });
}

}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    try {
        ConfigImpl config(text, ConfigImpl::SOURCE_TEXT);
        for (const std::string& key : candidateKeys(text)) {
            exerciseKey(config, key);
        }
    } catch (const exceptions::Exception&) {
    }
    return 0;
}
