#include "MediatorFixture.h"

TEST_F(MediatorTest, RegistrationHandsOutImagesFontAndDrops) {
    registerAll();
    ASSERT_NE(tree.imageList, nullptr);
    const auto& images = dynamic_cast<const fakes::ImageList&>(*tree.imageList);
    EXPECT_EQ(images.ids, (std::vector<int>{131, 132, 133, 134, 135, 136, 138}));
    EXPECT_EQ(images.width, 16);
    EXPECT_TRUE(tree.styled);
    ASSERT_NE(edit.font, nullptr);
    EXPECT_EQ(dynamic_cast<const fakes::Font&>(*edit.font).face, "courier new");
    EXPECT_EQ(dynamic_cast<const fakes::Font&>(*edit.font).height, 16);
    EXPECT_TRUE(frame.accepts);
}

TEST_F(MediatorTest, ProgrammingErrorsAreRecordedAndTheOperationGoesOn) {
    EXPECT_EQ(assertionsDuring([&] { delegate->assertRegistered(); }),
              (std::vector<std::string>{"_treeView", "_editView", "_mainFrame", "_document"}));
    registerAll();
    fakes::Document other;
    EXPECT_EQ(assertionsDuring([&] { delegate->registerDocument(&other); }),
              std::vector<std::string>{"!_document || _document == document"});

    services.fontFails = true;
    EXPECT_EQ(assertionsDuring([&] { createDelegate(); }), std::vector<std::string>{"ret != 0"});
    fakes::EditView plain;
    delegate->registerEditView(&plain);
    EXPECT_EQ(plain.font, nullptr);
}

TEST_F(MediatorTest, InstanceIsRecordedWhenMissing) {
    using products::zefra::gui::Delegate;
    Delegate::setInstance(nullptr);
    EXPECT_FALSE(Delegate::hasInstance());
    Delegate::setInstance(delegate.get());
    EXPECT_EQ(&Delegate::instance(), delegate.get());
    Delegate::setInstance(nullptr);
}

TEST_F(MediatorTest, ClearingWorksWithAndWithoutViews) {
    delegate->clearViews();
    registerAll();
    edit.text = "something";
    tree.insertItem("A", 0, 0, 0, 0, false);
    delegate->clearViews();
    EXPECT_EQ(edit.text, "");
    EXPECT_TRUE(tree.items.empty());
}

TEST_F(MediatorTest, HelpAddressesReachTheHyperlinkServiceAsWideText) {
    delegate->navigateTo("https://example.org/a?b=c");
    EXPECT_EQ(services.navigated, std::vector<std::wstring>{L"https://example.org/a?b=c"});
}
