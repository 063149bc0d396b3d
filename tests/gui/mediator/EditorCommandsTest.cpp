#include <filesystem>
#include <fstream>
#include <iterator>

#include "MediatorFixture.h"

namespace {

const char* const FIVE_LINES = "zero\r\none\r\ntwo two\r\nthree\r\nfour";

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

}

TEST_F(MediatorTest, SetTextRaisesTheLimitOnlyForLongerTexts) {
    registerAll();
    edit.limit = 10;
    delegate->setText("0123456789");
    EXPECT_EQ(edit.limit, 10);
    delegate->setText(std::string(11, 'x'));
    EXPECT_EQ(edit.limit, 1011);
    EXPECT_EQ(edit.text, std::string(11, 'x'));
}

TEST_F(MediatorTest, SetTextRecordsAnEditorThatAltersTheText) {
    registerAll();
    EXPECT_TRUE(assertionsDuring([&] { delegate->setText("a\r\nb"); }).empty());
    edit.readBack = [](const std::string& text) { return text.substr(0, text.size() - 1); };
    EXPECT_EQ(assertionsDuring([&] { delegate->setText("a\r\nb"); }),
              std::vector<std::string>{"s == (const char*)tmp"});
}

TEST_F(MediatorTest, SelectLineHighlightsTheLineWithTheCaretAtItsStartAndScrollsItToTheTop) {
    registerAll();
    delegate->setText(FIVE_LINES);
    edit.firstVisible = 1;
    delegate->selectTreeItemLine(2);
    EXPECT_EQ(edit.selStart, 18);  // anchor after "two two"
    EXPECT_EQ(edit.selEnd, 11);    // caret at the line's start
    EXPECT_EQ(edit.scrollCaretCount, 1);
    EXPECT_EQ(edit.firstVisible, 2);
}

TEST_F(MediatorTest, GoToLineProposesTheCaretLineAndChecksTheRange) {
    registerAll();
    delegate->setText(FIVE_LINES);
    edit.setSelection(13, 13);  // inside line 2, 0-based

    services.answer = std::make_unique<std::uint32_t>(5);
    delegate->goToLine();
    EXPECT_EQ(services.shownLineNumber, 3u);
    EXPECT_EQ(edit.selEnd, 27);  // the last line, "four"
    EXPECT_TRUE(boxes.empty());

    for (std::uint32_t wrong : {0u, 6u}) {
        boxes.clear();
        edit.setSelection(0, 0);
        services.answer = std::make_unique<std::uint32_t>(wrong);
        delegate->goToLine();
        ASSERT_EQ(boxes.size(), 1u) << wrong;
        EXPECT_EQ(boxes[0].caption, std::string(TITLE) + " Information");
        EXPECT_EQ(boxes[0].text, "The line number must be between 1 and 5");
        EXPECT_EQ(edit.selStart, 0);
        EXPECT_EQ(edit.selEnd, 0);
    }
}

TEST_F(MediatorTest, CancelledGoToLineLeavesSelectionAndViewAlone) {
    registerAll();
    delegate->setText(FIVE_LINES);
    edit.setSelection(8, 7);  // on line 1
    edit.firstVisible = 0;
    services.answer.reset();
    delegate->goToLine();
    EXPECT_EQ(services.shownLineNumber, 2u);
    EXPECT_EQ(edit.selStart, 8);
    EXPECT_EQ(edit.selEnd, 7);
    EXPECT_EQ(edit.firstVisible, 0);
    EXPECT_EQ(edit.scrollCaretCount, 0);
    EXPECT_TRUE(boxes.empty());
}

TEST_F(MediatorTest, LineIndicatorShowsCaretOrSelection) {
    registerAll();
    delegate->setText(FIVE_LINES);
    fakes::Pane pane;
    delegate->updateLineIndicator(pane);
    EXPECT_EQ(pane.text, "Ln 1 Col 1");
    edit.setSelection(0, 6);  // "zero" and its line break
    delegate->updateLineIndicator(pane);
    EXPECT_EQ(pane.text, "Ln 1 Col 1 - Ln 2 Col 1");
    edit.setSelection(22, 15);  // made backwards: start and end still in order
    delegate->updateLineIndicator(pane);
    EXPECT_EQ(pane.text, "Ln 3 Col 5 - Ln 4 Col 3");
    edit.setSelection(29, 29);
    delegate->updateLineIndicator(pane);
    EXPECT_EQ(pane.text, "Ln 5 Col 3");
}

TEST_F(MediatorTest, SaveWritesTheEditorTextByteForByte) {
    registerAll();
    const std::string text = std::string("a\r\nb\n\r\n\xc3\xa9", 9) + std::string(1, '\0') + "z";
    delegate->setText(text);
    const std::string path = scratch() + "Out.java";
    EXPECT_TRUE(delegate->saveDocument(path));
    EXPECT_EQ(readFile(path), text);
    EXPECT_TRUE(boxes.empty());
}

TEST_F(MediatorTest, SaveFailureIsReportedAndReturnsFalse) {
    registerAll();
    delegate->setText("text");
    const std::string path = scratch() + "missing-folder/Out.java";
    EXPECT_FALSE(delegate->saveDocument(path));
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, std::string(TITLE) + " Error");
    EXPECT_EQ(boxes[0].text.rfind("Error saving file.An error occured", 0), 0u) << boxes[0].text;
    EXPECT_FALSE(std::filesystem::exists(path));
}
