#include "gui/Delegate.h"

#include "exceptions/Exception.h"
#include "io/IOException.h"
#include "io/file/FileLoaderImpl.h"
#include "io/file/FileSaverImpl.h"
#include "util/config/ConfigImpl.h"
#include "windows/file/FileSystemHelpers.h"

namespace products {
namespace zefra {
namespace gui {

namespace {

const char* const CONFIG_FILE = "config.txt";
const char* const ENGINE_TIMEOUT_KEY = "engineTimeout";
const char* const DEFAULT_HOMEPAGE_URL = "https://www.zefra.org/";
const char* const DEFAULT_ORDER_URL = "https://www.zefra.org/order.html";
const char* const IMPROVE_CODE_URL = "https://google.github.io/styleguide/javaguide.html";

// Start-up cannot go on without its own directory.
constexpr int NO_APPLICATION_DIRECTORY_EXIT_CODE = -1;

}

// The start-up configuration step: the application directory becomes current
// (the engine and config.txt are found relative to it), then config.txt gives
// the Help addresses. A missing file is silent; every address falls back to
// its default.
void Delegate::readConfiguration() {
    std::string directory;
    try {
        directory = windows::file::getApplicationDirectory();
    } catch (const io::IOException& e) {
        _messageBox.reportError("Error getting the application directory." + e.getMessage());
        _services.endProcess(NO_APPLICATION_DIRECTORY_EXIT_CODE);
        return;
    }
    try {
        windows::file::setCurrentDirectory(directory);
    } catch (const io::IOException& e) {
        _messageBox.reportError("Error setting the current directory." + e.getMessage());
        _services.endProcess(NO_APPLICATION_DIRECTORY_EXIT_CODE);
        return;
    }
    try {
        io::file::FileLoaderImpl loader;
        io::file::FileSaverImpl saver;
        util::config::ConfigImpl config(CONFIG_FILE, util::config::ConfigImpl::SOURCE_FILE,
                                        &loader, &saver);
        readEngineTimeout(config);
        _homepageUrl = config.getString("homepageUrl");
        _orderUrl = config.getString("orderUrl");
    } catch (const util::config::ParseException& e) {
        _messageBox.reportError("Error parsing the config file." + e.getMessage());
    } catch (const util::config::KeyDoesNotExistException& e) {
        _messageBox.reportError(
            "Error getting data from the config file. The default values will be used." +
            e.getMessage());
    } catch (const io::IOException&) {
        // No readable config.txt: the defaults serve.
    }
    if (_orderUrl.empty()) _orderUrl = DEFAULT_ORDER_URL;
    if (_homepageUrl.empty()) _homepageUrl = DEFAULT_HOMEPAGE_URL;
    _improveCodeUrl = IMPROVE_CODE_URL;
}

// engineTimeout is optional: without it the default holds, silently.
void Delegate::readEngineTimeout(const ::util::config::Config& config) {
    if (!config.hasKey(ENGINE_TIMEOUT_KEY)) return;
    std::int32_t seconds = 0;
    try {
        seconds = config.getInt(ENGINE_TIMEOUT_KEY);
    } catch (const exceptions::Exception&) {
        seconds = 0;
    }
    if (seconds > 0) {
        _engineTimeout = seconds;
        return;
    }
    _messageBox.reportError("The engineTimeout in the config file must be a whole number of seconds "
                            "above 0. The default of " +
                            std::to_string(DEFAULT_ENGINE_TIMEOUT) + " seconds will be used.");
}

}
}
}
