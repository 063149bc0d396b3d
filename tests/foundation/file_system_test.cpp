#include <cstring>
#include <string>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "TestSupport.h"
#include "io/file/FileHelper.h"
#include "windows/file/FileSystemHelpers.h"

namespace {

using namespace windows::file;

TEST(CurrentDirectory, EndsWithOneAddedSeparatorEvenAtTheRoot) {
    TestDirectory directory;
    EXPECT_EQ(directory.path() + "/", getCurrentDirectory());
    setCurrentDirectory("/");
    EXPECT_EQ("//", getCurrentDirectory());
    setCurrentDirectory(directory.path());
}

TEST(CurrentDirectory, FailedChangeNamesTheDirectoryAndTheSystemError) {
    TestDirectory directory;
    EXPECT_EQ(std::string("Could not set the directory, /no/such/place, to the current directory. "
                          "System error message: ") + std::strerror(ENOENT) + "\n",
              failureOf<CouldNotSetCurrentDirectoryException>([] { setCurrentDirectory("/no/such/place"); }));
    EXPECT_EQ(directory.path() + "/", getCurrentDirectory());
}

TEST(ModuleFileName, NamesTheRunningProgram) {
    const std::string module = getModuleFileName();
    EXPECT_EQ('/', module[0]);
    const std::string directory = getApplicationDirectory();
    EXPECT_EQ('/', directory.back());
    EXPECT_EQ(directory, module.substr(0, directory.size()));
    EXPECT_EQ(std::string::npos, module.find('/', directory.size()));
}

// The same program run from a directory whose name holds double quotes must
// still find its own directory: the quotes are part of the name.
TEST(ModuleFileName, QuotesInTheProgramsDirectoryAreKept) {
    TestDirectory directory;
    const std::string quoted = directory.path() + "/dir \"with\" quotes";
    ASSERT_EQ(0, mkdir(quoted.c_str(), 0755));
    const std::string copy = quoted + "/tests";
    if (link(getModuleFileName().c_str(), copy.c_str()) != 0) {
        GTEST_SKIP() << "the test program cannot be linked into " << quoted;
    }
    pid_t child = fork();
    ASSERT_NE(-1, child);
    if (child == 0) {
        int quiet = open("/dev/null", O_WRONLY);
        dup2(quiet, 1);
        dup2(quiet, 2);
        execl(copy.c_str(), copy.c_str(), "--gtest_filter=ModuleFileName.NamesTheRunningProgram",
              static_cast<char*>(nullptr));
        _exit(127);
    }
    int status = 0;
    ASSERT_EQ(child, waitpid(child, &status, 0));
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
}

TEST(LongPath, ExistingPathComesBackUnchanged) {
    TestDirectory directory;
    writeWhole("Some Class$1.class", "");
    EXPECT_EQ("Some Class$1.class", toLongPath("Some Class$1.class"));
    EXPECT_EQ(directory.path() + "/", toLongPath(directory.path() + "/"));
    EXPECT_EQ("/", toLongPath("/"));
}

TEST(LongPath, MissingPathIsAnInvalidInputPath) {
    TestDirectory directory;
    EXPECT_EQ("Error converting the filename, gone.class, to a long path. Input path invalid.",
              failureOf<CouldNotConvertShortPathToLongPathException>([] { toLongPath("gone.class"); }));
    EXPECT_EQ("Error converting the filename, , to a long path. Input path invalid.",
              failureOf<CouldNotConvertShortPathToLongPathException>([] { toLongPath(""); }));
    writeWhole("a", "");
    EXPECT_EQ(std::string("Error converting the filename, a\0b", 34) + ", to a long path. Input path invalid.",
              failureOf<CouldNotConvertShortPathToLongPathException>(
                  [] { toLongPath(std::string("a\0b", 3)); }));
}

}

namespace {

// A current directory that has been removed cannot be determined.
class RemovedCurrentDirectory {
public:
    RemovedCurrentDirectory() {
        char previous[4096];
        EXPECT_NE(nullptr, getcwd(previous, sizeof previous));
        _previous = previous;
        char pattern[] = "/tmp/zefra-removed-XXXXXX";
        EXPECT_NE(nullptr, mkdtemp(pattern));
        EXPECT_EQ(0, chdir(pattern));
        EXPECT_EQ(0, rmdir(pattern));
    }
    ~RemovedCurrentDirectory() { EXPECT_EQ(0, chdir(_previous.c_str())); }

private:
    std::string _previous;
};

TEST(CurrentDirectory, RemovedDirectoryCannotBeDetermined) {
    RemovedCurrentDirectory removed;
    EXPECT_EQ(std::string("Couldn't get the current directory.\n System error message: ") + std::strerror(ENOENT) +
                  "\n",
              failureOf<CouldNotGetCurrentDirectoryException>([] { getCurrentDirectory(); }));
}

TEST(CurrentDirectory, FileMessagesSayWhenTheDirectoryIsUnknown) {
    RemovedCurrentDirectory removed;
    const std::string message =
        failureOf<io::file::CouldNotLoadFileException>([] { io::file::FileHelper::loadFile("x"); });
    EXPECT_NE(std::string::npos,
              message.find("\nCurrent Working Directory: Couldn't get the current directory. Exception: "
                           "Couldn't get the current directory.\n System error message: "))
        << message;
}

}
