// Search over the archive's text and Save All Sources, on text made here.
#include <gtest/gtest.h>

#include <QString>
#include <filesystem>
#include <fstream>
#include <zip.h>

#include "../../archive/ArchiveTestSupport.h"
#include "gui/SourceExport.h"
#include "gui/SourceSearch.h"

using namespace products::zefra::gui;
using products::zefra::decompiler::engine::RunCancel;

namespace {

namespace fs = std::filesystem;

const std::string HEADER = "// Decompiled by the engine\r\n// Source file: X.java\r\n\r\n";
const std::string SHAPES =
    "package shapes;\r\n\r\npublic class Shapes\r\n{\r\n"
    "    public int area()\r\n    {\r\n        return checkNotNull(1);\r\n    }\r\n\r\n"
    "    public static void broken(int i, Object o) throws Exception\r\n    {\r\n"
    "        // Not decompiled: stack height differs at 4\r\n"
    "        //   0: iload_1\r\n"
    "        throw new RuntimeException(\"not decompiled: stack height differs at 4\");\r\n"
    "    }\r\n}\r\n";
const std::string UTIL = "package other;\r\n\r\nclass Util\r\n{\r\n    int CheckNotNull;\r\n}\r\n";

void writeFile(const fs::path& path, const std::string& text) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << text;
}

// Two written classes and one the engine failed on, as decompileArchive leaves them.
SourceSet sampleSet(const std::string& folder) {
    SourceSet set;
    set.folder = folder;
    writeFile(fs::path(folder) / "shapes/Shapes.java", HEADER + SHAPES);
    writeFile(fs::path(folder) / "other/Util.java", HEADER + UTIL);
    set.classes.push_back({"other.Util", "other/Util.class", folder + "/other/Util.java", ""});
    set.classes.push_back({"broken.Bad", "broken/Bad.class", "", "constant pool index 47 out of range"});
    set.classes.push_back({"shapes.Shapes", "shapes/Shapes.class", folder + "/shapes/Shapes.java", ""});
    set.messages.push_back("shapes/Shapes$1.class: truncated");
    return set;
}

std::vector<SearchHit> searchAll(const SourceSet& set, const SearchQuery& query, int maxHits = 100) {
    std::vector<SearchHit> all;
    RunCancel cancel;
    const LineMatcher matcher(query);
    EXPECT_TRUE(matcher.error().isEmpty());
    EXPECT_TRUE(searchSources(set, matcher, cancel, maxHits,
                              [&](std::vector<SearchHit>&& hits) { all.insert(all.end(), hits.begin(), hits.end()); },
                              nullptr));
    return all;
}

std::string zipEntry(const std::string& zipPath, const std::string& name) {
    int error = 0;
    zip_t* zip = zip_open(zipPath.c_str(), ZIP_RDONLY, &error);
    if (!zip) return "<no archive>";
    std::string content = "<no entry>";
    zip_stat_t stat;
    if (zip_stat(zip, name.c_str(), 0, &stat) == 0) {
        zip_file_t* file = zip_fopen(zip, name.c_str(), 0);
        content.assign(stat.size, '\0');
        zip_fread(file, content.data(), stat.size);
        zip_fclose(file);
    }
    zip_discard(zip);
    return content;
}

}

TEST(SourceSearchTest, TextSearchListsClassLineAndTextAndHonoursCase) {
    archivetest::ScratchFolder scratch;
    const SourceSet set = sampleSet(scratch.path());
    std::vector<SearchHit> hits = searchAll(set, {"checknotnull", false, false});
    ASSERT_EQ(hits.size(), 2u);
    EXPECT_EQ(hits[0].className, "other.Util");
    EXPECT_EQ(hits[0].line, 4);  // counted in the text less the engine's header, as the editor shows it
    EXPECT_EQ(hits[0].text, "    int CheckNotNull;");
    EXPECT_EQ(hits[1].className, "shapes.Shapes");
    EXPECT_EQ(hits[1].line, 6);
    hits = searchAll(set, {"checkNotNull", false, true});
    ASSERT_EQ(hits.size(), 1u);
    EXPECT_EQ(hits[0].className, "shapes.Shapes");
}

TEST(SourceSearchTest, RegularExpressionsAndTheirErrors) {
    archivetest::ScratchFolder scratch;
    const SourceSet set = sampleSet(scratch.path());
    const std::vector<SearchHit> hits = searchAll(set, {"^\\s*public .*\\(int", true, false});
    ASSERT_EQ(hits.size(), 1u);
    EXPECT_EQ(hits[0].text.trimmed(), "public static void broken(int i, Object o) throws Exception");
    EXPECT_FALSE(LineMatcher({"(unclosed", true, false}).error().isEmpty());
    EXPECT_FALSE(LineMatcher({"", false, false}).error().isEmpty());
}

TEST(SourceSearchTest, StopsAtTheHitLimitAndWhenCancelled) {
    archivetest::ScratchFolder scratch;
    const SourceSet set = sampleSet(scratch.path());
    EXPECT_EQ(searchAll(set, {".", true, false}, 3).size(), 3u);
    RunCancel cancel;
    cancel.cancel();
    int delivered = 0;
    EXPECT_FALSE(searchSources(set, LineMatcher({"class", false, false}), cancel, 100,
                               [&](std::vector<SearchHit>&&) { ++delivered; }, nullptr));
    EXPECT_EQ(delivered, 0);
}

TEST(SourceExportTest, FolderGetsEveryWrittenClassAndTheReportNamesFailuresAndFallbacks) {
    archivetest::ScratchFolder scratch;
    const SourceSet set = sampleSet(scratch.path() + "/cache");
    const std::string target = scratch.path() + "/out";
    RunCancel cancel;
    int lastDone = -1;
    const ExportReport report = exportSources(set, target, cancel, [&](int done, int) { lastDone = done; });
    EXPECT_EQ(report.written, 2);
    EXPECT_EQ(lastDone, 3);
    EXPECT_TRUE(fs::is_regular_file(target + "/shapes/Shapes.java"));
    EXPECT_TRUE(fs::is_regular_file(target + "/other/Util.java"));
    EXPECT_FALSE(fs::exists(target + "/broken"));
    EXPECT_EQ(report.failed, std::vector<std::string>{"broken.Bad: constant pool index 47 out of range"});
    EXPECT_EQ(report.fallbacks,
              std::vector<std::string>{"shapes.Shapes.broken(int i, Object o): stack height differs at 4"});
    const std::string text = reportText(report, target);
    EXPECT_NE(text.find("2 classes saved to " + target), std::string::npos);
    EXPECT_NE(text.find("broken.Bad: constant pool index 47"), std::string::npos);
    EXPECT_NE(text.find("shapes/Shapes$1.class: truncated"), std::string::npos);
}

TEST(SourceExportTest, ZipHoldsThePackageLayoutAndAppearsOnlyWhenComplete) {
    archivetest::ScratchFolder scratch;
    const SourceSet set = sampleSet(scratch.path() + "/cache");
    RunCancel cancel;
    const std::string zip = scratch.path() + "/sources.ZIP";
    EXPECT_EQ(exportSources(set, zip, cancel, nullptr).written, 2);
    EXPECT_EQ(zipEntry(zip, "shapes/Shapes.java"), HEADER + SHAPES);
    EXPECT_EQ(zipEntry(zip, "other/Util.java"), HEADER + UTIL);

    RunCancel cancelled;
    cancelled.cancel();
    const std::string never = scratch.path() + "/never.zip";
    EXPECT_TRUE(exportSources(set, never, cancelled, nullptr).cancelled);
    EXPECT_FALSE(fs::exists(never));
}

TEST(SourceExportTest, ADestinationThatCannotBeMadeIsAnError) {
    archivetest::ScratchFolder scratch;
    const SourceSet set = sampleSet(scratch.path() + "/cache");
    writeFile(fs::path(scratch.path()) / "plain-file", "x");
    RunCancel cancel;
    EXPECT_ANY_THROW(exportSources(set, scratch.path() + "/plain-file/sub", cancel, nullptr));
    EXPECT_ANY_THROW(exportSources(set, scratch.path() + "/missing/dir/out.zip", cancel, nullptr));
}

TEST(FallbackMethodTest, TheHeaderAboveTheBodyNamesTheMethod) {
    EXPECT_EQ(fallbackMethodOf(SHAPES, 11), "broken(int i, Object o)");
    EXPECT_EQ(fallbackMethodOf("    static\r\n    {\r\n        // Not decompiled: x\r\n", 2), "static");
    EXPECT_EQ(fallbackMethodOf("// Not decompiled: x\r\n", 0), "");
    EXPECT_EQ(fallbackMethodOf("a\r\n", 7), "");
}

TEST(JavaTextTest, TheHeaderGoesAsTheEditorDropsIt) {
    EXPECT_EQ(javaTextOf(HEADER + SHAPES), SHAPES);
    EXPECT_EQ(javaTextOf("no header at all"), "no header at all");
}
