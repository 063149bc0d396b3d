#pragma once

#include <cstdint>
#include <string>

namespace util {
namespace config {

// A table of key=value lines read from a text or a file. Every operation
// either succeeds fully or leaves table, text and file name as they were.
class Config {
public:
    virtual ~Config() = default;

    // Throws ParseException.
    virtual void parse(const std::string& text) = 0;
    // Loads the whole file through the loader, parses it, remembers the name.
    virtual void loadFromFile(const std::string& fileName) = 0;
    virtual void reload() = 0;
    // Writes the text through the saver; an empty name means the remembered one.
    virtual void save(const std::string& fileName) = 0;

    // Getters throw KeyDoesNotExistException; getInt and getBool also
    // exceptions::NumberFormatException.
    virtual std::int32_t getInt(const std::string& key) const = 0;
    virtual bool getBool(const std::string& key) const = 0;
    virtual std::string getString(const std::string& key) const = 0;
    virtual bool hasKey(const std::string& key) const = 0;

    // Setters change the value of an existing key in the text, keeping every other byte.
    virtual void setBool(const std::string& key, bool value) = 0;
    virtual void setInt(const std::string& key, std::int32_t value) = 0;
    virtual void setString(const std::string& key, const std::string& value) = 0;
    virtual void commentKey(const std::string& key) = 0;
    virtual void uncommentKey(const std::string& key) = 0;

    virtual unsigned keyCount() const = 0;
    virtual const std::string& getConfigText() const = 0;
};

}
}
