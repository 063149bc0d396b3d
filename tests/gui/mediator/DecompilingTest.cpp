#include <fstream>

#include "MediatorFixture.h"
#include "decompiler/engine/EngineRunCancelledException.h"

using products::zefra::decompiler::ClassStructure;
using products::zefra::decompiler::engine::EngineRunCancelledException;

namespace {
const std::string BUSY_TEXT = "Decompiling Shapes.class\xe2\x80\xa6";
}

// The engine runs as background work; the fake services hold it back until
// the test lets it finish.
class DecompilingTest : public MediatorTest {
protected:
    void SetUp() override {
        MediatorTest::SetUp();
        registerAll();
        services.deferWork = true;
        decompiler->result = [this](const std::string&) -> std::unique_ptr<ClassStructure> {
            if (decompiler->lastOptions.cancel && decompiler->lastOptions.cancel->cancelled()) {
                throw EngineRunCancelledException();
            }
            return fakes::tree("0;0;0;public;Shapes;", "class Shapes {}");
        };
        edit.text = "previous";
    }
};

TEST_F(DecompilingTest, TheWindowShowsTheRunAndTheResultComesWhenItEnds) {
    delegate->openDocument(makeFile("Shapes.class"));
    EXPECT_TRUE(delegate->isDecompiling());
    EXPECT_EQ(frame.busyTexts, std::vector<std::string>{BUSY_TEXT});
    EXPECT_EQ(edit.text, "previous");
    EXPECT_TRUE(document.pathNames.empty());

    services.finishWork();
    EXPECT_FALSE(delegate->isDecompiling());
    EXPECT_EQ(frame.busyTexts, (std::vector<std::string>{BUSY_TEXT, ""}));
    EXPECT_EQ(decompiler->lastOptions.timeoutSeconds, 30);
    EXPECT_EQ(edit.text, "class Shapes {}");
    EXPECT_EQ(tree.outline(), std::vector<std::string>{"Shapes@"});
    ASSERT_EQ(document.pathNames.size(), 2u);
    EXPECT_TRUE(boxes.empty());
}

TEST_F(DecompilingTest, OneRunAtATime) {
    delegate->openDocument(makeFile("Shapes.class"));
    delegate->openDocument(makeFile("Other.class"));
    EXPECT_EQ(frame.statusMessages,
              std::vector<std::string>{"A class file is being decompiled. Press Esc to cancel it."});
    services.finishWork();
    EXPECT_EQ(decompiler->paths, std::vector<std::string>{scratch() + "Shapes.class"});
    EXPECT_TRUE(boxes.empty());
}

TEST_F(DecompilingTest, CancelEndsTheRunAndKeepsWhatWasShown) {
    tree.insertItem("Previous", 0, 0, 0, 0, false);
    delegate->openDocument(makeFile("Shapes.class"));
    delegate->cancelDecompiling();
    services.finishWork();
    EXPECT_FALSE(delegate->isDecompiling());
    EXPECT_EQ(frame.busyTexts.back(), "");
    EXPECT_EQ(frame.statusMessages, std::vector<std::string>{"Decompiling cancelled."});
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(edit.text, "previous");
    EXPECT_EQ(tree.outline(), std::vector<std::string>{"Previous@"});
    EXPECT_TRUE(document.pathNames.empty());
}

TEST_F(DecompilingTest, ConfiguredTimeLimitReachesTheEngine) {
    std::ofstream(applicationDirectory() + "config.txt")
        << "homepageUrl=h\norderUrl=o\nengineTimeout=5\n";
    createDelegate();
    registerAll();
    EXPECT_EQ(delegate->engineTimeout(), 5);
    services.deferWork = false;
    decompiler->result = [](const std::string&) { return fakes::tree("0;0;0;public;S;", "t"); };
    delegate->openDocument(makeFile("Shapes.class"));
    EXPECT_EQ(decompiler->lastOptions.timeoutSeconds, 5);
    EXPECT_TRUE(boxes.empty());
}

TEST_F(DecompilingTest, UnusableTimeLimitIsReportedAndTheDefaultHolds) {
    for (const char* value : {"abc", "0", "-3"}) {
        std::ofstream(applicationDirectory() + "config.txt")
            << "homepageUrl=h\norderUrl=o\nengineTimeout=" << value << "\n";
        boxes.clear();
        createDelegate();
        EXPECT_EQ(delegate->engineTimeout(), 30) << value;
        ASSERT_EQ(boxes.size(), 1u) << value;
        EXPECT_EQ(boxes[0].text, "The engineTimeout in the config file must be a whole number of seconds "
                                 "above 0. The default of 30 seconds will be used.");
        EXPECT_EQ(delegate->homepageUrl(), "h");
    }
}
