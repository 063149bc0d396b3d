#include "util/config/ConfigImpl.h"

#include "debug/assertion.h"
#include "exceptions/NumberFormatException.h"
#include "util/Helpers.h"
#include "util/StringHelper.h"
#include "util/parser/StringTokenizerImpl.h"

namespace util {
namespace config {

namespace {

const char* const SOURCE_PATH = "util/config/ConfigImpl";

bool isLineBreak(char c) { return c == '\r' || c == '\n'; }

}

ConfigImpl::ConfigImpl(const std::string& source, int sourceKind, io::file::FileLoader* loader,
                       io::file::FileSaver* saver)
    : _loader(loader ? loader : &_defaultLoader), _saver(saver ? saver : &_defaultSaver) {
    if (sourceKind == SOURCE_FILE) {
        loadFromFile(source);
    } else if (sourceKind == SOURCE_TEXT) {
        parse(source);
    } else {
        assertionFailed("false", SOURCE_PATH, 365);
    }
}

std::string ConfigImpl::errorDetails() const {
    return "Error details:\nProblems in the configuration file loader (ConfigImpl).\nFilename: " +
           _filename + "\n" + "Configuration text:\n" + _configText + "\n";
}

ConfigImpl::Table ConfigImpl::parseTable(const std::string& text) const {
    Table table;
    unsigned lineNumber = 0;
    StringTokenizerImpl lines(text, CRLF);
    while (lines.hasMoreTokens()) {
        const std::string line = lines.nextToken();
        ++lineNumber;
        if (line.empty()) {
            assertionFailed("line.size()", SOURCE_PATH, 108);
        }
        if (!line.empty() && line[0] == '#') {
            continue;
        }
        StringTokenizerImpl pieces(line, "=");
        if (pieces.countTokens() < 2) {
            throw ParseException("Parse error. The line is not a valid key=value line. " +
                                 errorDetails() + " Line: " + line +
                                 " LineNumber: " + formatUnsigned(static_cast<std::int32_t>(lineNumber)));
        }
        const std::string key = pieces.nextToken();
        const std::string value = line.substr(line.find('=') + 1);
        if (!table.emplace(key, value).second) {
            throw ParseException("Duplicate key found while parsing. " + errorDetails() +
                                 " Line: " + line +
                                 " LineNumber: " + formatUnsigned(static_cast<std::int32_t>(lineNumber)));
        }
    }
    return table;
}

void ConfigImpl::parse(const std::string& text) {
    Table table = parseTable(text);
    _table.swap(table);
    _configText = text;
}

void ConfigImpl::loadFromFile(const std::string& fileName) {
    parse(_loader->load(fileName, 0));
    _filename = fileName;
}

void ConfigImpl::reload() { loadFromFile(_filename); }

void ConfigImpl::save(const std::string& fileName) {
    _saver->save(fileName.empty() ? _filename : fileName, _configText, std::ios_base::openmode());
}

std::string ConfigImpl::getString(const std::string& key) const {
    Table::const_iterator entry = _table.find(key);
    if (entry == _table.end()) {
        throw KeyDoesNotExistException("The key does not exist. " + errorDetails() + " Key: " + key);
    }
    return entry->second;
}

std::int32_t ConfigImpl::getInt(const std::string& key) const { return toInt(getString(key)); }

bool ConfigImpl::getBool(const std::string& key) const {
    const std::string value = getString(key);
    if (value == "true" || value == "TRUE" || value == "1") {
        return true;
    }
    if (value == "false" || value == "FALSE" || value == "0") {
        return false;
    }
    throw exceptions::NumberFormatException("The value, " + value +
                                            ", could not be converted into a boolean. " + errorDetails());
}

bool ConfigImpl::hasKey(const std::string& key) const { return _table.count(key) != 0; }

void ConfigImpl::setBool(const std::string& key, bool value) { setString(key, value ? "1" : "0"); }

void ConfigImpl::setInt(const std::string& key, std::int32_t value) {
    setString(key, formatSigned(value));
}

// The first occurrence of pattern at the start of the text or of a line.
std::string::size_type ConfigImpl::findAtLineStart(const std::string& pattern) const {
    std::string::size_type start = 0;
    for (;;) {
        std::string::size_type found = _configText.find(pattern, start);
        if (found == std::string::npos || found == 0 || isLineBreak(_configText[found - 1])) {
            return found;
        }
        start = found + 1;
        if (start >= _configText.size()) {
            assertionFailed("pos < _configText.size()", SOURCE_PATH, 385);
        }
    }
}

// The key's line, for an edit; a key whose line starts with "=" has none and
// the edit is refused.
std::string::size_type ConfigImpl::findKeyLine(const std::string& key, int checkLine) const {
    std::string::size_type position = findAtLineStart(key + "=");
    if (position == std::string::npos) {
        assertionFailed("pos != string::npos", SOURCE_PATH, checkLine);
        throw KeyDoesNotExistException("Could not find the line of the key. " + errorDetails() +
                                       " Key: " + key);
    }
    return position;
}

void ConfigImpl::setString(const std::string& key, const std::string& value) {
    const std::string current = getString(key);
    const std::string::size_type position = findKeyLine(key, 282);
    std::string edited = _configText;
    edited.replace(position + key.size() + 1, current.size(), value);
    parse(edited);
}

void ConfigImpl::commentKey(const std::string& key) {
    getString(key);
    const std::string::size_type position = findKeyLine(key, 303);
    std::string edited = _configText;
    edited.insert(position, "#");
    parse(edited);
}

void ConfigImpl::uncommentKey(const std::string& key) {
    const std::string::size_type position = findAtLineStart("#" + key + "=");
    if (position == std::string::npos) {
        throw KeyDoesNotExistException("Could not find the commented key. " + errorDetails() +
                                       " Key: " + key);
    }
    std::string edited = _configText;
    edited.erase(position, 1);
    parse(edited);
}

unsigned ConfigImpl::keyCount() const { return static_cast<unsigned>(_table.size()); }

const std::string& ConfigImpl::getConfigText() const { return _configText; }

}
}
