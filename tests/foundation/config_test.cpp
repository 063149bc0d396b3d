#include <string>

#include <gtest/gtest.h>

#include "TestSupport.h"
#include "exceptions/NumberFormatException.h"
#include "io/file/FileHelper.h"
#include "util/config/ConfigImpl.h"

namespace {

using util::config::ConfigImpl;
using util::config::KeyDoesNotExistException;
using util::config::ParseException;

const std::string EMPTY_DETAILS =
    "Error details:\nProblems in the configuration file loader (ConfigImpl).\nFilename: \nConfiguration text:\n\n";

std::string parseFailure(const std::string& text) {
    return failureOf<ParseException>([&text] { ConfigImpl config(text, ConfigImpl::SOURCE_TEXT); });
}

TEST(ConfigFormat, EmptyTextAndOnlyCommentsGiveNoKeys) {
    EXPECT_EQ(0u, ConfigImpl("", ConfigImpl::SOURCE_TEXT).keyCount());
    EXPECT_EQ(0u, ConfigImpl("\r\n\n#only=comment\r\r\n", ConfigImpl::SOURCE_TEXT).keyCount());
}

TEST(ConfigFormat, RunsOfLineBreaksAreNotLinesButCommentsAre) {
    ConfigImpl config("a=1\r\n\r\n#x\nb=2", ConfigImpl::SOURCE_TEXT);
    EXPECT_EQ("1", config.getString("a"));
    EXPECT_EQ("2", config.getString("b"));
    EXPECT_EQ("Parse error. The line is not a valid key=value line. " + EMPTY_DETAILS + " Line: bad LineNumber: 4",
              parseFailure("a=1\r\n\r\n#x\nb=2\r\nbad"));
}

TEST(ConfigFormat, NothingIsTrimmedAndLaterEqualsSignsBelongToTheValue) {
    ConfigImpl config("key = value\nk=v=w\n=a=b\nc==d\nh=#not a comment", ConfigImpl::SOURCE_TEXT);
    EXPECT_EQ(" value", config.getString("key "));
    EXPECT_EQ("v=w", config.getString("k"));
    EXPECT_EQ("a=b", config.getString("a"));
    EXPECT_EQ("=d", config.getString("c"));
    EXPECT_EQ("#not a comment", config.getString("h"));
    EXPECT_FALSE(config.hasKey("Key "));
}

TEST(ConfigFormat, LinesWithoutTwoPiecesAreInvalid) {
    for (const char* line : {"a=", "=a", "plain", "==", "=a="}) {
        EXPECT_EQ("Parse error. The line is not a valid key=value line. " + EMPTY_DETAILS + " Line: " + line +
                      " LineNumber: 1",
                  parseFailure(line));
    }
}

TEST(ConfigFormat, DuplicateKeyNamesTheSecondLineAndKeepsThePreviousContents) {
    ConfigImpl config("old=1", ConfigImpl::SOURCE_TEXT);
    const std::string message = failureOf<ParseException>([&config] { config.parse("a=1\n#c\na=2"); });
    EXPECT_EQ("Duplicate key found while parsing. Error details:\nProblems in the configuration file loader "
              "(ConfigImpl).\nFilename: \nConfiguration text:\nold=1\n Line: a=2 LineNumber: 3",
              message);
    EXPECT_EQ("old=1", config.getConfigText());
    EXPECT_EQ(1u, config.keyCount());
    EXPECT_TRUE(config.hasKey("old"));
}

TEST(ConfigGetters, MissingKeyAndTypedValues) {
    ConfigImpl config("n=42\nz=0\nbad=00\nt=TRUE\nf=0\nT=True", ConfigImpl::SOURCE_TEXT);
    EXPECT_EQ(42, config.getInt("n"));
    EXPECT_EQ(0, config.getInt("z"));
    EXPECT_EQ("Error parsing the string [00] to an integer",
              failureOf<exceptions::NumberFormatException>([&config] { config.getInt("bad"); }));
    EXPECT_TRUE(config.getBool("t"));
    EXPECT_FALSE(config.getBool("f"));
    const std::string details = "Error details:\nProblems in the configuration file loader (ConfigImpl).\n"
                                "Filename: \nConfiguration text:\n" + config.getConfigText() + "\n";
    EXPECT_EQ("The value, True, could not be converted into a boolean. " + details,
              failureOf<exceptions::NumberFormatException>([&config] { config.getBool("T"); }));
    EXPECT_EQ("The key does not exist. " + details + " Key: nope",
              failureOf<KeyDoesNotExistException>([&config] { config.getString("nope"); }));
}

TEST(ConfigGetters, EveryBooleanSpelling) {
    ConfigImpl config("a=true\nb=TRUE\nc=1\nd=false\ne=FALSE\nf=0\ng= true", ConfigImpl::SOURCE_TEXT);
    for (const char* key : {"a", "b", "c"}) EXPECT_TRUE(config.getBool(key));
    for (const char* key : {"d", "e", "f"}) EXPECT_FALSE(config.getBool(key));
    EXPECT_THROW(config.getBool("g"), exceptions::NumberFormatException);
}

TEST(ConfigEdits, SetKeepsEveryOtherByte) {
    ConfigImpl config("# head\r\nx=a=12\r\na=12\r\n\r\nb=12", ConfigImpl::SOURCE_TEXT);
    config.setString("a", "345");
    EXPECT_EQ("# head\r\nx=a=12\r\na=345\r\n\r\nb=12", config.getConfigText());
    EXPECT_EQ("345", config.getString("a"));
    config.setInt("b", -7);
    config.setBool("x", true);
    EXPECT_EQ("# head\r\nx=1\r\na=345\r\n\r\nb=-7", config.getConfigText());
}

TEST(ConfigEdits, InvalidNewValueChangesNothing) {
    ConfigImpl config("a=1\nb=2", ConfigImpl::SOURCE_TEXT);
    EXPECT_THROW(config.setString("a", "1\nb=3"), ParseException);
    EXPECT_EQ("a=1\nb=2", config.getConfigText());
    EXPECT_EQ("1", config.getString("a"));
    EXPECT_THROW(config.setString("missing", "1"), KeyDoesNotExistException);
}

TEST(ConfigEdits, CommentAndUncommentRestoreTextAndTable) {
    const std::string text = "a=1\nb=2\n";
    ConfigImpl config(text, ConfigImpl::SOURCE_TEXT);
    config.commentKey("b");
    EXPECT_EQ("a=1\n#b=2\n", config.getConfigText());
    EXPECT_FALSE(config.hasKey("b"));
    config.uncommentKey("b");
    EXPECT_EQ(text, config.getConfigText());
    EXPECT_EQ("2", config.getString("b"));
    EXPECT_EQ("Could not find the commented key. Error details:\nProblems in the configuration file loader "
              "(ConfigImpl).\nFilename: \nConfiguration text:\n" + text + "\n Key: a",
              failureOf<KeyDoesNotExistException>([&config] { config.uncommentKey("a"); }));
}

TEST(ConfigEdits, UncommentingADuplicateFails) {
    ConfigImpl config("#a=1\na=2", ConfigImpl::SOURCE_TEXT);
    EXPECT_THROW(config.uncommentKey("a"), ParseException);
    EXPECT_EQ("#a=1\na=2", config.getConfigText());
}

TEST(ConfigEdits, KeyFoundOnlyAtALineStart) {
    ConfigImpl config("xa=1\na=2", ConfigImpl::SOURCE_TEXT);
    config.setString("a", "3");
    EXPECT_EQ("xa=1\na=3", config.getConfigText());
}

TEST(ConfigEdits, KeyWhoseLineStartsWithEqualsIsRefused) {
    TestDirectory directory;
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    ConfigImpl config("=a=b", ConfigImpl::SOURCE_TEXT);
    EXPECT_THROW(config.setString("a", "c"), KeyDoesNotExistException);
    EXPECT_THROW(config.commentKey("a"), KeyDoesNotExistException);
    testing::internal::GetCapturedStdout();
    testing::internal::GetCapturedStderr();
    EXPECT_EQ("=a=b", config.getConfigText());
}

TEST(ConfigFile, LoadSaveReloadThroughTheFileSystem) {
    TestDirectory directory;
    writeWhole("config.txt", "homepageUrl=http://h\r\norderUrl=http://o\r\n");
    ConfigImpl config("config.txt", ConfigImpl::SOURCE_FILE);
    EXPECT_EQ("http://o", config.getString("orderUrl"));
    config.setString("orderUrl", "x");
    config.save("");
    EXPECT_EQ("homepageUrl=http://h\r\norderUrl=x\r\n", readWhole("config.txt"));
    config.save("copy.txt");
    EXPECT_EQ(readWhole("config.txt"), readWhole("copy.txt"));
    writeWhole("config.txt", "only=1");
    config.reload();
    EXPECT_EQ(1u, config.keyCount());
}

TEST(ConfigFile, FailedFirstLoadShowsEmptyDetailsAndMissingFilePassesThrough) {
    TestDirectory directory;
    writeWhole("config.txt", "broken");
    EXPECT_EQ("Parse error. The line is not a valid key=value line. " + EMPTY_DETAILS + " Line: broken LineNumber: 1",
              failureOf<ParseException>([] { ConfigImpl config("config.txt", ConfigImpl::SOURCE_FILE); }));
    EXPECT_THROW(ConfigImpl("absent.txt", ConfigImpl::SOURCE_FILE), io::file::CouldNotLoadFileException);
}

TEST(ConfigFile, FailedLoadKeepsTheRememberedFile) {
    TestDirectory directory;
    writeWhole("config.txt", "a=1");
    writeWhole("bad.txt", "a=1\na=2");
    ConfigImpl config("config.txt", ConfigImpl::SOURCE_FILE);
    const std::string message = failureOf<ParseException>([&config] { config.loadFromFile("bad.txt"); });
    EXPECT_NE(std::string::npos, message.find("Filename: config.txt\nConfiguration text:\na=1\n")) << message;
    writeWhole("config.txt", "a=5");
    config.reload();
    EXPECT_EQ("5", config.getString("a"));
}

class RecordingStore : public io::file::FileLoader, public io::file::FileSaver {
public:
    std::string load(const std::string& fileName, unsigned byteCount) override {
        loaded = fileName + "/" + std::to_string(byteCount);
        return "k=v";
    }
    void save(const std::string& fileName, const std::string& data, std::ios_base::openmode flags) override {
        saved = fileName + ":" + data + ":" + std::to_string(static_cast<int>(flags));
    }
    std::string loaded, saved;
};

TEST(ConfigFile, GivenLoaderAndSaverAreUsed) {
    RecordingStore store;
    ConfigImpl config("virtual.txt", ConfigImpl::SOURCE_FILE, &store, &store);
    EXPECT_EQ("virtual.txt/0", store.loaded);
    config.save("");
    EXPECT_EQ("virtual.txt:k=v:0", store.saved);
}

}
