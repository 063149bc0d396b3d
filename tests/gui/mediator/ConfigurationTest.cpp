#include <fstream>

#include "MediatorFixture.h"

namespace {

const std::string DEFAULT_HOME = "https://www.zefra.org/";
const std::string DEFAULT_ORDER = "https://www.zefra.org/order.html";

}

class ConfigurationTest : public MediatorTest {
protected:
    void startWith(const std::string& configText) {
        std::ofstream(applicationDirectory() + "config.txt", std::ios::binary) << configText;
        boxes.clear();
        createDelegate();
    }
};

TEST_F(ConfigurationTest, MissingFileIsSilentAndGivesTheDefaults) {
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(delegate->homepageUrl(), DEFAULT_HOME);
    EXPECT_EQ(delegate->orderUrl(), DEFAULT_ORDER);
    EXPECT_FALSE(delegate->improveCodeUrl().empty());
    EXPECT_TRUE(services.exitCodes.empty());
}

TEST_F(ConfigurationTest, BothKeysAreUsedExactlyAsWritten) {
    startWith("# addresses\r\nhomepageUrl=http://home.example/a=b \r\norderUrl=http://order.example\r\n");
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(delegate->homepageUrl(), "http://home.example/a=b ");
    EXPECT_EQ(delegate->orderUrl(), "http://order.example");
    delegate->navigateTo(delegate->homepageUrl());
    EXPECT_EQ(services.navigated, std::vector<std::wstring>{L"http://home.example/a=b "});
}

TEST_F(ConfigurationTest, MissingHomePageKeyIsReportedOnceAndBothTakeTheirDefaults) {
    startWith("orderUrl=http://order.example\n");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, "Zefra - Java Decompiler Error");
    EXPECT_EQ(boxes[0].text.rfind("Error getting data from the config file. The default values will be "
                                  "used.The key does not exist. ", 0), 0u) << boxes[0].text;
    EXPECT_EQ(delegate->homepageUrl(), DEFAULT_HOME);
    EXPECT_EQ(delegate->orderUrl(), DEFAULT_ORDER);
}

TEST_F(ConfigurationTest, MalformedFileIsReportedAndGivesTheDefaults) {
    startWith("homepageUrl=http://home.example\nthis is no key value line\n");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text.rfind("Error parsing the config file.Parse error.", 0), 0u) << boxes[0].text;
    EXPECT_EQ(delegate->homepageUrl(), DEFAULT_HOME);
    EXPECT_TRUE(services.exitCodes.empty());
}

TEST_F(ConfigurationTest, FileWithoutKeysReportsTheMissingKey) {
    startWith("# nothing set\n");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(delegate->homepageUrl(), DEFAULT_HOME);
    EXPECT_EQ(delegate->orderUrl(), DEFAULT_ORDER);
}
