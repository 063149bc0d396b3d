#include <filesystem>
#include <stdexcept>

#include "MediatorFixture.h"
#include "decompiler/engine/DecompilerEngineException.h"
#include "decompiler/parser/ParserException.h"
#include "exceptions/NumberFormatException.h"
#include "windows/file/FileSystemHelpers.h"

using products::zefra::decompiler::ClassStructure;
using products::zefra::decompiler::engine::DecompilerEngineException;
using products::zefra::decompiler::parser::ParserException;

namespace {

const char* const NESTED =
    "0;0;0;public;A;"
    "1;1;0;public;P;"
    "1;2;0;private;Q;"
    "2;3;2;private;q;"
    "1;4;0;protected;R;"
    "1;5;2;public;f1;"
    "1;6;2;protected;f2;"
    "1;7;2;package;f3;"
    "1;8;1;public;m1();"
    "1;9;1;protected;m2();"
    "1;10;1;private;m3();";

const char* const JAVA_TEXT = "class A\r\n{\r\n}\r\n";

}

TEST_F(MediatorTest, OpensAClassFileIntoTreeEditorAndDocument) {
    registerAll();
    decompiler->result = [](const std::string&) { return fakes::tree(NESTED, JAVA_TEXT); };
    const std::string path = makeFile("Shapes.class");
    std::filesystem::current_path("/");

    delegate->openDocument(path);

    EXPECT_TRUE(boxes.empty());
    ASSERT_EQ(decompiler->paths, std::vector<std::string>{path});
    EXPECT_EQ(windows::file::getCurrentDirectory(), applicationDirectory());
    EXPECT_EQ(edit.text, JAVA_TEXT);
    // Nested classes before fields, fields before methods, each block from
    // least to most visible.
    const std::vector<std::string> outline{"A@",    "Q@A",   "q@Q",   "R@A",   "P@A",   "f3@A",
                                           "f2@A",  "f1@A",  "m3()@A", "m2()@A", "m1()@A"};
    EXPECT_EQ(tree.outline(), outline);
    std::vector<int> images, lines;
    for (const fakes::Item& item : tree.items) {
        images.push_back(item.image);
        lines.push_back(item.datum);
        EXPECT_EQ(item.image, item.selectedImage);
        EXPECT_EQ(item.expanded, item.text == "A") << item.text;
        EXPECT_EQ(item.hasChildren, item.text == "A" || item.text == "Q") << item.text;
    }
    EXPECT_EQ(images, (std::vector<int>{0, 0, 1, 0, 0, 1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(lines, (std::vector<int>{0, 2, 3, 4, 1, 7, 6, 5, 10, 9, 8}));
    // The class file goes into the recent list; the document ends up named
    // after the Java file, so that Save never writes over the class file.
    const std::vector<std::pair<std::string, bool>> names{{path, true}, {"Shapes.java", false}};
    EXPECT_EQ(document.pathNames, names);
}

TEST_F(MediatorTest, RejectsFilesThatAreNoClassFilesAndChangesNothing) {
    registerAll();
    edit.text = "kept";
    for (const std::string name : {"notes.txt", "Upper.Class", "dir/file.java"}) {
        const std::string path = makeFile(name);
        boxes.clear();
        delegate->openDocument(path);
        ASSERT_EQ(boxes.size(), 1u) << name;
        EXPECT_EQ(boxes[0].caption, std::string(TITLE) + " Error");
        EXPECT_EQ(boxes[0].text,
                  "The file " + path + " has an unsupported file format. Only .class files supported.");
    }
    EXPECT_TRUE(decompiler->paths.empty());
    EXPECT_EQ(edit.text, "kept");
    EXPECT_TRUE(document.pathNames.empty());
}

TEST_F(MediatorTest, ClassFileTestLooksAnywhereInThePathAndNamesTheJavaFile) {
    registerAll();
    decompiler->result = [](const std::string&) { return fakes::tree("0;0;0;public;A;", "class A{}"); };
    const std::pair<std::string, std::string> cases[] = {
        {"in.class.dir/notes.txt", "notes.java"},
        {"x.cla/Foo", "Foo.java"},
        {"A.b.class", "A.b.java"},
        {"OLD.CLA", "OLD.java"},
    };
    for (const auto& [name, javaName] : cases) {
        document.pathNames.clear();
        delegate->openDocument(makeFile(name));
        ASSERT_EQ(document.pathNames.size(), 2u) << name;
        EXPECT_EQ(document.pathNames[1].first, javaName);
    }
    EXPECT_TRUE(boxes.empty());
}

TEST_F(MediatorTest, ClassWithoutMembersIsOneItemWithoutButton) {
    registerAll();
    decompiler->result = [](const std::string&) { return fakes::tree("0;4;0;public;Empty;", "x"); };
    delegate->openDocument(makeFile("Empty.class"));
    ASSERT_EQ(tree.items.size(), 1u);
    EXPECT_FALSE(tree.items[0].hasChildren);
    EXPECT_EQ(tree.items[0].datum, 4);
}

TEST_F(MediatorTest, ParseFailureShowsTheTextWithoutTreeAndStillRenames) {
    registerAll();
    tree.insertItem("old", 0, 0, 0, 0, false);
    decompiler->result = [](const std::string&) -> std::unique_ptr<ClassStructure> {
        throw ParserException("class {{{", 3, "A parsing error occurred.");
    };
    delegate->openDocument(makeFile("Broken.class"));
    EXPECT_TRUE(tree.items.empty());
    EXPECT_EQ(edit.text, "class {{{");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text,
              "Could not parse the class file. The tree view will not be available. "
              "A parsing error occurred.");
    ASSERT_EQ(document.pathNames.size(), 2u);
    EXPECT_EQ(document.pathNames[1].first, "Broken.java");
}

TEST_F(MediatorTest, EngineFailureKeepsThePreviousClass) {
    registerAll();
    decompiler->result = [](const std::string&) { return fakes::tree("0;0;0;public;A;", "first"); };
    delegate->openDocument(makeFile("A.class"));
    document.pathNames.clear();
    decompiler->result = [](const std::string&) -> std::unique_ptr<ClassStructure> {
        throw DecompilerEngineException("The decompiler engine failed.");
    };
    delegate->openDocument(makeFile("B.class"));
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "The decompiler engine failed.");
    EXPECT_EQ(edit.text, "first");
    EXPECT_EQ(tree.outline(), std::vector<std::string>{"A@"});
    EXPECT_TRUE(document.pathNames.empty());
}

TEST_F(MediatorTest, MissingFileIsReportedWithTheConversionMessage) {
    registerAll();
    delegate->openDocument(scratch() + "Gone.class");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text.rfind("Error converting the filename, " + scratch() + "Gone.class", 0), 0u)
        << boxes[0].text;
    EXPECT_TRUE(decompiler->paths.empty());
}

TEST_F(MediatorTest, UnexpectedFailuresAreRecordedAndOnlyOursAreShown) {
    registerAll();
    decompiler->result = [](const std::string&) -> std::unique_ptr<ClassStructure> {
        throw exceptions::NumberFormatException("odd");
    };
    EXPECT_EQ(assertionsDuring([&] { delegate->openDocument(makeFile("A.class")); }),
              std::vector<std::string>{"false"});
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "odd");

    boxes.clear();
    decompiler->result = [](const std::string&) -> std::unique_ptr<ClassStructure> {
        throw std::runtime_error("foreign");
    };
    EXPECT_EQ(assertionsDuring([&] { delegate->openDocument(makeFile("A.class")); }),
              std::vector<std::string>{"false"});
    EXPECT_TRUE(boxes.empty());
}

TEST_F(MediatorTest, TextWithoutClassEmptiesBothViewsAndSaysSo) {
    registerAll();
    edit.text = "previous class";
    tree.insertItem("Previous", 0, 0, 0, 0, false);
    delegate->openDocument(makeFile("Nothing.class"));
    EXPECT_TRUE(tree.items.empty());
    EXPECT_EQ(edit.text, "");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(document.pathNames.back().first, "Nothing.java");
}

TEST_F(MediatorTest, FileNamedBeforeTheViewsExistOpensOnceWhenTheLastRegisters) {
    decompiler->result = [](const std::string&) { return fakes::tree("0;0;0;public;A;", "t"); };
    delegate->registerMainFrame(&frame);
    delegate->registerDocument(&document);
    delegate->openDocument(makeFile("First.class"));
    const std::string second = makeFile("Second.class");
    delegate->openDocument(second);
    EXPECT_EQ(delegate->pendingFile(), second);
    delegate->registerTreeView(&tree);
    EXPECT_TRUE(decompiler->paths.empty());
    delegate->registerEditView(&edit);
    EXPECT_EQ(decompiler->paths, std::vector<std::string>{second});
    EXPECT_EQ(delegate->pendingFile(), "");
    delegate->registerDocument(&document);  // every File New registers again
    EXPECT_EQ(decompiler->paths.size(), 1u);
}
