#include "MediatorFixture.h"

#include <filesystem>
#include <fstream>
#include <sstream>

#include "windows/file/FileSystemHelpers.h"

namespace fs = std::filesystem;

std::string MediatorTest::applicationDirectory() {
    return windows::file::getApplicationDirectory();
}

void MediatorTest::SetUp() {
    _scratch = applicationDirectory() + "scratch/";
    fs::remove_all(_scratch);
    fs::create_directories(_scratch);
    fs::remove(applicationDirectory() + "config.txt");
    _previousHook = platform::setMessageBoxHook(
        [this](const std::string& caption, const std::string& text, platform::MessageBoxKind kind) {
            if (kind != platform::MessageBoxKind::AssertionReport) boxes.push_back({caption, text, kind});
            return kind == platform::MessageBoxKind::AssertionReport ? platform::MessageBoxResult::Ignore
                                                                     : platform::MessageBoxResult::Ok;
        });
    createDelegate();
}

void MediatorTest::TearDown() {
    delegate.reset();
    platform::setMessageBoxHook(_previousHook);
    fs::remove_all(_scratch);
    fs::remove(applicationDirectory() + "config.txt");
}

void MediatorTest::createDelegate() {
    delegate.reset();
    auto fake = std::make_unique<fakes::Decompiler>();
    decompiler = fake.get();
    delegate = std::make_unique<products::zefra::gui::Delegate>(TITLE, services, std::move(fake));
}

void MediatorTest::registerAll() {
    delegate->registerMainFrame(&frame);
    delegate->registerDocument(&document);
    delegate->registerTreeView(&tree);
    delegate->registerEditView(&edit);
}

std::string MediatorTest::makeFile(const std::string& relativePath, const std::string& contents) {
    const fs::path path = fs::path(_scratch) / relativePath;
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << contents;
    return path.string();
}

std::vector<std::string> MediatorTest::assertionsDuring(const std::function<void()>& action) {
    ::testing::internal::CaptureStdout();
    action();
    std::istringstream output(::testing::internal::GetCapturedStdout());
    const std::string prefix = "Assertion failed. Message: ";
    std::vector<std::string> conditions;
    for (std::string line; std::getline(output, line);) {
        if (line.compare(0, prefix.size(), prefix) == 0) conditions.push_back(line.substr(prefix.size()));
    }
    return conditions;
}
