#pragma once

#include <map>
#include <string>

#include "io/file/FileLoaderImpl.h"
#include "io/file/FileSaverImpl.h"
#include "util/config/Config.h"
#include "util/config/KeyDoesNotExistException.h"
#include "util/config/ParseException.h"

namespace util {
namespace config {

class ConfigImpl : public Config {
public:
    // Source kinds for the constructor.
    static constexpr int SOURCE_FILE = 0;
    static constexpr int SOURCE_TEXT = 1;

    // source is a file name (SOURCE_FILE) or configuration text (SOURCE_TEXT).
    // loader and saver are not owned; null means the object's own defaults.
    // Exceptions of the initial load propagate.
    ConfigImpl(const std::string& source, int sourceKind,
               io::file::FileLoader* loader = nullptr, io::file::FileSaver* saver = nullptr);
    ~ConfigImpl() override = default;

    ConfigImpl(const ConfigImpl&) = delete;
    ConfigImpl& operator=(const ConfigImpl&) = delete;

    void parse(const std::string& text) override;
    void loadFromFile(const std::string& fileName) override;
    void reload() override;
    void save(const std::string& fileName) override;

    std::int32_t getInt(const std::string& key) const override;
    bool getBool(const std::string& key) const override;
    std::string getString(const std::string& key) const override;
    bool hasKey(const std::string& key) const override;

    void setBool(const std::string& key, bool value) override;
    void setInt(const std::string& key, std::int32_t value) override;
    void setString(const std::string& key, const std::string& value) override;
    void commentKey(const std::string& key) override;
    void uncommentKey(const std::string& key) override;

    unsigned keyCount() const override;
    const std::string& getConfigText() const override;

private:
    using Table = std::map<std::string, std::string>;

    std::string errorDetails() const;
    Table parseTable(const std::string& text) const;
    std::string::size_type findAtLineStart(const std::string& pattern) const;
    std::string::size_type findKeyLine(const std::string& key, int checkLine) const;

    std::string _filename;
    std::string _configText;
    io::file::FileLoaderImpl _defaultLoader;
    io::file::FileSaverImpl _defaultSaver;
    io::file::FileLoader* _loader;
    io::file::FileSaver* _saver;
    Table _table;
};

}
}
