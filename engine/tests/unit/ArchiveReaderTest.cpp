// Reading the class entries of an archive, and refusing what an archive
// should not make jad do: write outside, inflate without bound, crash.
#include <gtest/gtest.h>

#include <string>

#include "ZipBuilder.h"
#include "archive/Archive.h"
#include "archive/EntryNames.h"

namespace jad {
namespace {

using test::ZipBuilder;

ArchiveClasses read(const std::string& zip, const ArchiveLimits& limits = {}) {
    return readArchiveBytes(reinterpret_cast<const uint8_t*>(zip.data()), zip.size(), limits);
}

std::string text(const ArchiveEntry& entry) { return std::string(entry.bytes.begin(), entry.bytes.end()); }

std::string problemsOf(const ArchiveClasses& classes) {
    std::string all;
    for (const EntryProblem& problem : classes.problems) all += problem.entry + ": " + problem.reason + "\n";
    return all;
}

TEST(ArchiveReader, ReadsTheClassEntriesInNameOrder) {
    const std::string zip = ZipBuilder()
                                .add("b/B.class", "bee", true)
                                .add("a/", "")
                                .add("a/A.class", "ay")
                                .add("a/notes.txt", "not a class")
                                .add("META-INF/versions/11/a/A.class", "another Java's copy")
                                .add("A$1.class", std::string(5000, 'x'), true)
                                .bytes();
    ArchiveClasses classes = read(zip);
    EXPECT_EQ(problemsOf(classes), "");
    ASSERT_EQ(classes.entries.size(), 3u);
    EXPECT_EQ(classes.entries[0].name, "A$1.class");
    EXPECT_EQ(text(classes.entries[0]), std::string(5000, 'x'));
    EXPECT_EQ(classes.entries[1].name, "a/A.class");
    EXPECT_EQ(text(classes.entries[1]), "ay");
    EXPECT_EQ(text(classes.entries[2]), "bee");
}

TEST(ArchiveReader, NamesThatCouldLeaveTheOutputDirectoryAreSkipped) {
    const std::string zip = ZipBuilder()
                                .add("../../escaped/X.class", "x")
                                .add("a/../../X.class", "x")
                                .add("/etc/X.class", "x")
                                .add("a\\..\\..\\X.class", "x")
                                .add("C:/X.class", "x")
                                .add("a//X.class", "x")
                                .add("./X.class", "x")
                                .add("ok/Fine.class", "fine")
                                .bytes();
    ArchiveClasses classes = read(zip);
    ASSERT_EQ(classes.entries.size(), 1u);
    EXPECT_EQ(classes.entries[0].name, "ok/Fine.class");
    EXPECT_EQ(problemsOf(classes),
              "../../escaped/X.class: entry name climbs out with .., skipped\n"
              "a/../../X.class: entry name climbs out with .., skipped\n"
              "/etc/X.class: absolute entry name, skipped\n"
              "a\\..\\..\\X.class: backslash in entry name, skipped\n"
              "C:/X.class: drive letter in entry name, skipped\n"
              "a//X.class: entry name with an empty or . segment, skipped\n"
              "./X.class: entry name with an empty or . segment, skipped\n");
    EXPECT_FALSE(unsafeEntryName("com/example/Outer$Inner.class"));
}

TEST(ArchiveReader, DuplicateEncryptedAndNestedArchiveEntriesGetOneProblemEach) {
    ZipBuilder builder;
    builder.add("a/X.class", "first").add("a/X.class", "second").add("lib/inner.jar", "PK...").add("lib/x.ZIP", "");
    builder.add(ZipBuilder::Entry{"a/Secret.class", "secret", false, true, std::nullopt});
    ArchiveClasses classes = read(builder.bytes());
    ASSERT_EQ(classes.entries.size(), 1u);
    EXPECT_EQ(text(classes.entries[0]), "first");
    EXPECT_EQ(problemsOf(classes),
              "a/X.class: duplicate entry, the first one is used\n"
              "lib/inner.jar: an archive within the archive, not opened\n"
              "lib/x.ZIP: an archive within the archive, not opened\n"
              "a/Secret.class: encrypted, skipped\n");
}

TEST(ArchiveReader, SizesAreCheckedBeforeAnythingIsInflated) {
    ZipBuilder builder;
    // Declares more than any class file: refused from the directory record alone.
    builder.add(ZipBuilder::Entry{"Huge.class", "small", false, false, 65u << 20});
    // Four megabytes of zeros in a few kilobytes: a bomb, not a class.
    builder.add("Bomb.class", std::string(4u << 20, '\0'), true);
    // Declares 100 bytes and inflates to a megabyte: read no further than declared.
    builder.add(ZipBuilder::Entry{"Liar.class", std::string(1u << 20, 'a'), true, false, 100});
    // Declares more than it holds.
    builder.add(ZipBuilder::Entry{"Short.class", "tiny", false, false, 1000});
    builder.add("Fine.class", std::string(3000, 'f'), true);
    ArchiveClasses classes = read(builder.bytes());
    ASSERT_EQ(classes.entries.size(), 1u);
    EXPECT_EQ(classes.entries[0].name, "Fine.class");
    ASSERT_EQ(classes.problems.size(), 4u) << problemsOf(classes);
    EXPECT_EQ(classes.problems[0].reason, "declares 65 MB, over the limit of 64 MB for one entry");
    EXPECT_NE(classes.problems[1].reason.find("refused as a zip bomb"), std::string::npos);
    EXPECT_EQ(classes.problems[2].entry, "Liar.class");
    EXPECT_EQ(classes.problems[3].entry, "Short.class");
}

TEST(ArchiveReader, AnArchiveExpandingPastTheLimitIsRefusedWhole) {
    ZipBuilder builder;
    for (int i = 0; i < 10; ++i) builder.add("C" + std::to_string(i) + ".class", std::string(600, 'c'));
    ArchiveLimits limits;
    limits.maxTotalBytes = 5000;
    try {
        read(builder.bytes(), limits);
        ADD_FAILURE() << "read past the limit";
    } catch (const ArchiveError& error) {
        EXPECT_EQ(error.reason, "class entries would expand to 0 MB, over the limit of 0 MB");
    }
    limits.maxTotalBytes = 6000;
    EXPECT_EQ(read(builder.bytes(), limits).entries.size(), 10u);
}

// Every prefix of an archive, and every single byte changed: an error or
// problems, never a crash, and never more than the entries declared.
TEST(ArchiveReader, TruncatedAndDamagedArchivesNeverCrash) {
    const std::string zip = ZipBuilder()
                                .add("a/A.class", std::string(300, 'a'), true)
                                .add("a/B.class", "bee")
                                .add("lib/x.jar", "PK")
                                .bytes();
    ASSERT_EQ(read(zip).entries.size(), 2u);
    // libzip takes no bytes at all for an empty archive.
    EXPECT_EQ(read("").entries.size(), 0u);
    size_t refused = 0;
    for (size_t length = 1; length < zip.size(); ++length) {
        try {
            read(zip.substr(0, length));
        } catch (const ArchiveError& error) {
            EXPECT_EQ(error.reason.rfind("cannot read as an archive (", 0), 0u) << error.reason;
            ++refused;
        }
    }
    EXPECT_EQ(refused, zip.size() - 1);  // the end record is at the end
    for (size_t at = 0; at < zip.size(); ++at) {
        std::string damaged = zip;
        damaged[at] = static_cast<char>(damaged[at] ^ 0x5a);
        try {
            ArchiveClasses classes = read(damaged);
            EXPECT_LE(classes.entries.size(), 2u);
            for (const ArchiveEntry& entry : classes.entries) EXPECT_LE(entry.bytes.size(), 300u);
        } catch (const ArchiveError&) {
        }
    }
    try {
        read("not an archive at all");
        ADD_FAILURE() << "read text as an archive";
    } catch (const ArchiveError& error) {
        EXPECT_EQ(error.reason, "cannot read as an archive (Not a zip archive)");
    }
}

}  // namespace
}  // namespace jad
