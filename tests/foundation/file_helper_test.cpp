#include <csignal>
#include <cstring>
#include <string>

#include <dirent.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "TestSupport.h"
#include "io/file/FileHelper.h"

namespace {

using io::file::CouldNotLoadFileException;
using io::file::CouldNotSaveFileException;
using io::file::FileHelper;

bool startsWith(const std::string& text, const std::string& prefix) {
    return text.compare(0, prefix.size(), prefix) == 0;
}

bool endsWith(const std::string& text, const std::string& suffix) {
    return text.size() >= suffix.size() && text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

unsigned entriesIn(const std::string& directory) {
    unsigned count = 0;
    DIR* listing = opendir(directory.c_str());
    while (dirent* entry = readdir(listing)) {
        count += std::strcmp(entry->d_name, ".") != 0 && std::strcmp(entry->d_name, "..") != 0;
    }
    closedir(listing);
    return count;
}

TEST(LoadFile, WholeFileAndPrefix) {
    TestDirectory directory;
    writeWhole("data.bin", std::string("a\r\nb\0c", 6));
    EXPECT_EQ(std::string("a\r\nb\0c", 6), FileHelper::loadFile("data.bin"));
    EXPECT_EQ("a\r", FileHelper::loadFile("data.bin", 2));
    writeWhole("empty", "");
    EXPECT_EQ("", FileHelper::loadFile("empty", 0));
}

TEST(LoadFile, CountLargerThanTheFileFailsBeforeReading) {
    TestDirectory directory;
    writeWhole("small", "abc");
    const std::string message = failureOf<CouldNotLoadFileException>([] { FileHelper::loadFile("small", 10); });
    EXPECT_TRUE(startsWith(message, "Tried to read a larger number of bytes from a file that it contained. "
                                    "Tried to read : 10 File size: 3\nFilename: 'small'\n"))
        << message;
    EXPECT_TRUE(endsWith(message, "\nC++ exception: None.")) << message;
}

TEST(LoadFile, MissingFileMessageCarriesTheContextBlock) {
    TestDirectory directory;
    const std::string message = failureOf<CouldNotLoadFileException>([] { FileHelper::loadFile("missing.java"); });
    const std::string expectedStart = "An error occured when trying to open the file for reading.\n"
                                      "Filename: 'missing.java'\nCurrent Working Directory: " +
                                      directory.path() + "/\nSystem error message: " +
                                      std::strerror(ENOENT) + "\n\nC++ exception: ";
    EXPECT_TRUE(startsWith(message, expectedStart)) << message;
    EXPECT_GT(message.size(), expectedStart.size());  // the stream failure's own text follows
}

TEST(LoadFile, DirectoryIsRefusedWithAMessage) {
    TestDirectory directory;
    ASSERT_EQ(0, mkdir("folder", 0755));
    const std::string message = failureOf<CouldNotLoadFileException>([] { FileHelper::loadFile("folder"); });
    EXPECT_NE("no exception", message);
    EXPECT_NE(std::string::npos, message.find("Filename: 'folder'"));
}

TEST(FileExists, OnlyForReadableFiles) {
    TestDirectory directory;
    writeWhole("there", "x");
    EXPECT_TRUE(FileHelper::fileExists("there"));
    EXPECT_FALSE(FileHelper::fileExists("not-there"));
}

TEST(SaveFile, WritesByteForByteAndReplacesTheOldContent) {
    TestDirectory directory;
    const std::string data("line 1\r\nline 2\r\n\0end", 20);
    writeWhole("Out.java", "a much longer older content that must disappear entirely");
    FileHelper::saveFile("Out.java", data);
    EXPECT_EQ(data, readWhole("Out.java"));
    FileHelper::saveFile("New.java", "");
    EXPECT_EQ("", readWhole("New.java"));
    EXPECT_EQ(2u, entriesIn("."));  // no temporary file stays behind
}

TEST(SaveFile, KeepsPermissionsAndSavesThroughSymbolicLinks) {
    TestDirectory directory;
    writeWhole("real.java", "old");
    ASSERT_EQ(0, chmod("real.java", 0640));
    ASSERT_EQ(0, symlink("real.java", "link.java"));
    FileHelper::saveFile("link.java", "new");
    struct stat link;
    ASSERT_EQ(0, lstat("link.java", &link));
    EXPECT_TRUE(S_ISLNK(link.st_mode));
    EXPECT_EQ("new", readWhole("real.java"));
    struct stat real;
    ASSERT_EQ(0, stat("real.java", &real));
    EXPECT_EQ(0640u, real.st_mode & 07777);
}

TEST(SaveFile, DanglingLinkAndHardLinkAreWrittenThrough) {
    TestDirectory directory;
    ASSERT_EQ(0, symlink("made.java", "dangling.java"));
    FileHelper::saveFile("dangling.java", "through the link");
    struct stat link;
    ASSERT_EQ(0, lstat("dangling.java", &link));
    EXPECT_TRUE(S_ISLNK(link.st_mode));
    EXPECT_EQ("through the link", readWhole("made.java"));

    writeWhole("first.java", "old");
    ASSERT_EQ(0, ::link("first.java", "second.java"));
    FileHelper::saveFile("first.java", "new");
    EXPECT_EQ("new", readWhole("second.java"));
}

TEST(SaveFile, AppendModeAddsToTheTarget) {
    TestDirectory directory;
    writeWhole("log", "one,");
    FileHelper::saveFile("log", "two", std::ios_base::app);
    EXPECT_EQ("one,two", readWhole("log"));
}

TEST(SaveFile, MissingDirectoryFailsAtOpening) {
    TestDirectory directory;
    const std::string message =
        failureOf<CouldNotSaveFileException>([] { FileHelper::saveFile("no/such/dir/X.java", "x"); });
    EXPECT_TRUE(startsWith(message, "An error occured when trying to open the file for writing.\n"
                                    "Filename: 'no/such/dir/X.java'\n"))
        << message;
}

// A file size limit makes the write fail part-way, as a full disk would.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &_previous);
        _previousHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limited = _previous;
        limited.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limited);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &_previous);
        std::signal(SIGXFSZ, _previousHandler);
    }

private:
    rlimit _previous;
    void (*_previousHandler)(int);
};

TEST(SaveFile, FailedWriteLeavesTheTargetAsItWas) {
    TestDirectory directory;
    writeWhole("Keep.java", "the user's precious text");
    std::string message;
    {
        FileSizeLimit limit(8);
        message = failureOf<CouldNotSaveFileException>(
            [] { FileHelper::saveFile("Keep.java", std::string(100000, 'x')); });
    }
    EXPECT_TRUE(startsWith(message, "An error occured when trying to write the file.\nFilename: 'Keep.java'\n"))
        << message;
    EXPECT_NE(std::string::npos, message.find(std::strerror(EFBIG))) << message;
    EXPECT_EQ("the user's precious text", readWhole("Keep.java"));
    EXPECT_EQ(1u, entriesIn("."));
}

TEST(SaveFile, ReadOnlyTargetIsRefusedAndKept) {
    if (geteuid() == 0) {
        GTEST_SKIP() << "root may write any file";
    }
    TestDirectory directory;
    writeWhole("ro.java", "keep");
    ASSERT_EQ(0, chmod("ro.java", 0444));
    const std::string message = failureOf<CouldNotSaveFileException>([] { FileHelper::saveFile("ro.java", "new"); });
    EXPECT_TRUE(startsWith(message, "An error occured when trying to open the file for writing.")) << message;
    EXPECT_EQ("keep", readWhole("ro.java"));
}

}
