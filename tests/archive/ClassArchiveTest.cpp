#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

#include "ArchiveTestSupport.h"
#include "archive/ArchiveException.h"
#include "archive/ArchiveSession.h"
#include "archive/ClassArchive.h"
#include "archive/EntryName.h"

using archive::ArchiveException;
using archive::ArchiveSession;
using archive::ClassArchive;
using archivetest::ScratchFolder;
using archivetest::writeZip;
namespace fs = std::filesystem;

namespace {

std::string readAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// Every file below the folder, relative to it.
std::vector<std::string> filesBelow(const fs::path& folder) {
    std::vector<std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        if (entry.is_regular_file()) files.push_back(fs::relative(entry.path(), folder).string());
    }
    std::sort(files.begin(), files.end());
    return files;
}

TEST(EntryName, OnlyPlainRelativeNamesAreSafe) {
    EXPECT_EQ(archive::whyUnsafeEntryName("com/example/A.class"), "");
    EXPECT_EQ(archive::whyUnsafeEntryName("A$1.class"), "");
    EXPECT_EQ(archive::whyUnsafeEntryName("META-INF/"), "");
    EXPECT_EQ(archive::whyUnsafeEntryName("../A.class"), "a '..' component");
    EXPECT_EQ(archive::whyUnsafeEntryName("a/../../A.class"), "a '..' component");
    EXPECT_EQ(archive::whyUnsafeEntryName("a/./A.class"), "a '.' component");
    EXPECT_EQ(archive::whyUnsafeEntryName("/etc/A.class"), "an absolute path");
    EXPECT_EQ(archive::whyUnsafeEntryName("a\\..\\A.class"), "a backslash");
    EXPECT_EQ(archive::whyUnsafeEntryName("a//A.class"), "an empty path component");
    EXPECT_EQ(archive::whyUnsafeEntryName("C:A.class"), "a drive or stream separator ':'");
    EXPECT_EQ(archive::whyUnsafeEntryName(std::string("a\nb.class")), "a control character");
    EXPECT_EQ(archive::whyUnsafeEntryName(""), "an empty name");
    EXPECT_FALSE(archive::isClassEntryName("a/.class"));
    EXPECT_FALSE(archive::isClassEntryName("a/A.java"));
    EXPECT_TRUE(archive::isClassEntryName("a/A.class"));
}

TEST(ClassArchive, ListsTopLevelClassesWithTheirNestedOnesByPackage) {
    ScratchFolder scratch;
    const std::string jar = scratch.path() + "/lib.jar";
    writeZip(jar, {{"META-INF/MANIFEST.MF", "Manifest-Version: 1.0\n"},
                   {"com/z/Outer.class", "outer"},
                   {"com/z/Outer$Inner.class", "inner"},
                   {"com/z/Outer$Inner$Deep.class", "deep"},
                   {"com/z/Outer$1.class", "anon"},
                   {"com/a/B.class", "b"},
                   {"Lone$Dollar.class", "lone"},  // no Lone.class: a top-level name with a '$'
                   {"com/z/readme.txt", "text"}});
    ClassArchive archive(jar);
    const auto& classes = archive.topLevelClasses();
    ASSERT_EQ(classes.size(), 3u);
    EXPECT_EQ(classes[0].qualifiedName(), "Lone$Dollar");
    EXPECT_EQ(classes[1].qualifiedName(), "com.a.B");
    EXPECT_EQ(classes[2].qualifiedName(), "com.z.Outer");
    EXPECT_EQ(classes[2].packageName, "com.z");
    std::vector<std::string> nested = classes[2].nestedEntryNames;
    std::sort(nested.begin(), nested.end());
    EXPECT_EQ(nested, (std::vector<std::string>{"com/z/Outer$1.class", "com/z/Outer$Inner$Deep.class",
                                                "com/z/Outer$Inner.class"}));
    EXPECT_TRUE(archive.refusedEntries().empty());
    EXPECT_EQ(archive.find("com.a.B"), &classes[1]);
    EXPECT_EQ(archive.find("com.a.C"), nullptr);
}

TEST(ClassArchive, HostileNamesAreRefusedAndNeverWritten) {
    ScratchFolder scratch;
    const std::string jar = scratch.path() + "/evil.jar";
    writeZip(jar, {{"../Evil.class", "1"},
                   {"/tmp/Abs.class", "2"},
                   {"a\\..\\..\\Back.class", "3"},
                   {"p/../../Up.class", "4"},
                   {"p/Good.class", "good"}});
    ArchiveSession session(jar);
    const ClassArchive& archive = session.archive();
    ASSERT_EQ(archive.topLevelClasses().size(), 1u);
    ASSERT_EQ(archive.refusedEntries().size(), 4u);
    EXPECT_EQ(archive.refusedEntries()[0], jar + "!/../Evil.class: refused: a '..' component");
    EXPECT_EQ(archive.refusedEntries()[1], jar + "!//tmp/Abs.class: refused: an absolute path");
    const std::string written = session.extract(archive.topLevelClasses()[0]);
    EXPECT_EQ(readAll(written), "good");
    EXPECT_EQ(filesBelow(session.folder()), std::vector<std::string>{"classes/p/Good.class"});
    EXPECT_EQ(filesBelow(scratch.path()), std::vector<std::string>{"evil.jar"});
}

TEST(ClassArchive, ExtractsTheClassWithItsNestedClassesBesideIt) {
    ScratchFolder scratch;
    const std::string jar = scratch.path() + "/lib.zip";
    writeZip(jar, {{"q/A.class", "a"}, {"q/A$B.class", "ab"}, {"q/AB.class", "other"}});
    std::string folder;
    {
        ArchiveSession session(jar);
        folder = session.folder();
        const auto* a = session.archive().find("q.A");
        ASSERT_NE(a, nullptr);
        const fs::path path = session.extract(*a);
        EXPECT_EQ(path.filename(), "A.class");
        EXPECT_EQ(readAll(path.parent_path() / "A$B.class"), "ab");
        EXPECT_FALSE(fs::exists(path.parent_path() / "AB.class"));
        EXPECT_EQ(fs::status(folder).permissions() & fs::perms::others_all, fs::perms::none);
    }
    // Closing the archive removes its folder.
    EXPECT_FALSE(fs::exists(folder));
}

TEST(ClassArchive, BadArchivesGiveAClearError) {
    ScratchFolder scratch;
    const std::string notZip = scratch.path() + "/text.jar";
    std::ofstream(notZip) << "this is no archive";
    try {
        ClassArchive archive(notZip);
        FAIL() << "no error";
    } catch (const ArchiveException& e) {
        EXPECT_EQ(e.getMessage().rfind("The archive " + notZip + " could not be opened: ", 0), 0u)
            << e.getMessage();
    }
    EXPECT_THROW(ClassArchive(scratch.path() + "/missing.jar"), ArchiveException);

    // A truncated archive: opening or reading fails with a message, never a crash.
    const std::string whole = scratch.path() + "/whole.jar";
    writeZip(whole, {{"A.class", std::string(5000, 'x')}, {"B.class", "b"}});
    const std::string bytes = readAll(whole);
    const std::string cut = scratch.path() + "/cut.jar";
    std::ofstream(cut, std::ios::binary) << bytes.substr(0, bytes.size() / 2);
    EXPECT_THROW(ClassArchive{cut}, ArchiveException);
}

TEST(ClassArchive, AnEntryOverTheSizeLimitIsRefused) {
    ScratchFolder scratch;
    const std::string jar = scratch.path() + "/big.jar";
    writeZip(jar, {{"Big.class", std::string(ClassArchive::MAX_ENTRY_SIZE + 1, '\0')}, {"Small.class", "s"}});
    ClassArchive archive(jar);
    ASSERT_EQ(archive.topLevelClasses().size(), 1u);
    EXPECT_EQ(archive.topLevelClasses()[0].simpleName, "Small");
    ASSERT_EQ(archive.refusedEntries().size(), 1u);
    EXPECT_EQ(archive.refusedEntries()[0], jar + "!/Big.class: entry over 64 MB");
}

TEST(ClassArchive, ArchivePathsAreJarAndZipInAnyCase) {
    EXPECT_TRUE(archive::isArchivePath("/x/lib.jar"));
    EXPECT_TRUE(archive::isArchivePath("LIB.ZIP"));
    EXPECT_FALSE(archive::isArchivePath("A.class"));
    EXPECT_FALSE(archive::isArchivePath("jar"));
}

}
