#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "Fakes.h"
#include "gui/Delegate.h"
#include "platform/messagebox/MessageBoxHook.h"

struct Box {
    std::string caption;
    std::string text;
    platform::MessageBoxKind kind;
};

// A mediator with fake partners and a fake decompiler, in a scratch folder
// beside the test program (the mediator makes the program's folder current).
class MediatorTest : public ::testing::Test {
protected:
    static constexpr const char* TITLE = "Zefra - Java Decompiler";

    void SetUp() override;
    void TearDown() override;

    // A new mediator (re-reading config.txt).
    void createDelegate();
    void registerAll();

    // A file in the scratch folder; returns its path.
    std::string makeFile(const std::string& relativePath, const std::string& contents = "x");
    std::string scratch() const { return _scratch; }
    static std::string applicationDirectory();

    // The condition texts of the failed checks recorded while action runs.
    static std::vector<std::string> assertionsDuring(const std::function<void()>& action);

    std::vector<Box> boxes;
    fakes::TreeView tree;
    fakes::EditView edit;
    fakes::MainFrame frame;
    fakes::Document document;
    fakes::Services services;
    fakes::Decompiler* decompiler = nullptr;
    std::unique_ptr<products::zefra::gui::Delegate> delegate;

private:
    std::string _scratch;
    platform::MessageBoxHook _previousHook;
};
