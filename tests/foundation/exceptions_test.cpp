#include <cerrno>
#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "exceptions/NumberFormatException.h"
#include "io/file/CouldNotLoadFileException.h"
#include "io/file/CouldNotSaveFileException.h"
#include "platform/errorresources/SystemErrors.h"
#include "util/config/KeyDoesNotExistException.h"
#include "util/config/ParseException.h"
#include "windows/file/CouldNotConvertShortPathToLongPathException.h"
#include "windows/file/CouldNotGetCurrentDirectoryException.h"
#include "windows/file/CouldNotGetModuleFileNameException.h"
#include "windows/file/CouldNotSetCurrentDirectoryException.h"

namespace {

template <typename Caught, typename Thrown>
bool catches() {
    try {
        throw Thrown("message of " + std::string(typeid(Thrown).name()));
    } catch (const Caught& e) {
        return e.getMessage() == "message of " + std::string(typeid(Thrown).name());
    } catch (...) {
        return false;
    }
}

TEST(ExceptionTree, IOExceptionCatchesEveryFileAndFileSystemFailure) {
    using namespace windows::file;
    EXPECT_TRUE((catches<io::IOException, io::file::CouldNotLoadFileException>()));
    EXPECT_TRUE((catches<io::IOException, io::file::CouldNotSaveFileException>()));
    EXPECT_TRUE((catches<io::IOException, CouldNotGetModuleFileNameException>()));
    EXPECT_TRUE((catches<io::IOException, CouldNotGetCurrentDirectoryException>()));
    EXPECT_TRUE((catches<WindowsFileException, CouldNotSetCurrentDirectoryException>()));
    EXPECT_TRUE((catches<WindowsFileException, CouldNotConvertShortPathToLongPathException>()));
}

TEST(ExceptionTree, ConfigExceptionDoesNotCatchNumberFormatException) {
    using namespace util::config;
    EXPECT_TRUE((catches<ConfigException, ParseException>()));
    EXPECT_TRUE((catches<ConfigException, KeyDoesNotExistException>()));
    EXPECT_FALSE((catches<ConfigException, exceptions::NumberFormatException>()));
    EXPECT_TRUE((catches<exceptions::Exception, exceptions::NumberFormatException>()));
}

TEST(SystemErrors, KnownCodeGivesSystemTextWithItsLineBreak) {
    EXPECT_EQ(std::string("System error message: ") + std::strerror(ENOENT) + "\n",
              platform::SystemErrors::map(ENOENT));
}

TEST(SystemErrors, UnknownCodeGivesNotFoundFormWithSignedCode) {
    EXPECT_EQ("System error message: The string representation of the error code [-7] was not found.\r\n",
              platform::SystemErrors::map(-7));
    EXPECT_EQ("System error message: The string representation of the error code [123456] was not "
              "found.\r\n",
              platform::SystemErrors::map(123456));
}

class TableFor123456 : public platform::ErrorMapper {
public:
    std::pair<bool, std::string> lookup(int errorCode) const override {
        return {errorCode == 123456, "from the table"};
    }
};

TEST(SystemErrors, FallbackTableAnswersOnlyWhatTheSystemDoesNotKnow) {
    TableFor123456 table;
    EXPECT_EQ("System error message: from the table\r\n", platform::SystemErrors::map(123456, &table));
    EXPECT_EQ(std::string("System error message: ") + std::strerror(EACCES) + "\n",
              platform::SystemErrors::map(EACCES, &table));
    EXPECT_NE(std::string::npos, platform::SystemErrors::map(99999, &table).find("[99999] was not found."));
}

}
