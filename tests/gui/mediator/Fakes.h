#pragma once

// Partners of the mediator without any window system.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "decompiler/Decompiler.h"
#include "gui/Partners.h"

namespace fakes {

using namespace products::zefra;
using gui::TreeItem;

struct Item {
    std::string text;
    int image;
    int selectedImage;
    std::int32_t datum;
    TreeItem parent;
    bool hasChildren;
    bool expanded = false;
};

class TreeView : public gui::TreeViewPartner {
public:
    void deleteAllItems() override { items.clear(); }
    TreeItem insertItem(const std::string& text, int image, int selectedImage, std::int32_t datum,
                        TreeItem parent, bool hasChildren) override {
        items.push_back({text, image, selectedImage, datum, parent, hasChildren});
        return items.size();  // 1-based, so never NO_TREE_ITEM
    }
    void expand(TreeItem item) override { items.at(item - 1).expanded = true; }
    void setImageList(const gui::ImageList& images) override { imageList = &images; }
    void addTreeStyles() override { styled = true; }

    // "text@parentText" for every item, in insertion order.
    std::vector<std::string> outline() const;

    std::vector<Item> items;
    const gui::ImageList* imageList = nullptr;
    bool styled = false;
};

// Offsets are byte offsets into the text; a line ends at "\n", and a "\r"
// before it belongs to the break.
class EditView : public gui::EditViewPartner {
public:
    int getLimitText() const override { return limit; }
    void setLimitText(int characters) override { limit = characters; }
    void setWholeText(const std::string& value) override {
        text = value;
        selStart = selEnd = 0;
        ++replaceCount;
    }
    std::string getWholeText() const override { return readBack ? readBack(text) : text; }
    void getSelection(int& start, int& end) const override {
        start = std::min(selStart, selEnd);
        end = std::max(selStart, selEnd);
    }
    int lineFromChar(int offset) const override;
    int lineIndex(int line) const override;
    int lineLength(int line) const override;
    int getLineCount() const override;
    void setSelection(int anchor, int active) override {
        selStart = anchor;
        selEnd = active;
        caret = active;
    }
    void scrollCaret() override { ++scrollCaretCount; }
    int getFirstVisibleLine() const override { return firstVisible; }
    void lineScroll(int lines) override { firstVisible += lines; }
    void setEditorFont(const gui::Font& value) override { font = &value; }
    void takeFocus() override { focused = true; }

    std::string text;
    int limit = 30000;
    int selStart = 0, selEnd = 0, caret = 0;
    int firstVisible = 0;
    int scrollCaretCount = 0;
    int replaceCount = 0;
    const gui::Font* font = nullptr;
    bool focused = false;
    std::function<std::string(const std::string&)> readBack;

private:
    std::vector<int> lineStarts() const;
};

class MainFrame : public gui::MainFramePartner {
public:
    void acceptDroppedFiles() override { accepts = true; }
    void showDecompiling(const std::string& statusText) override { busyTexts.push_back(statusText); }
    void showStatusMessage(const std::string& text) override { statusMessages.push_back(text); }
    bool accepts = false;
    std::vector<std::string> busyTexts;  // "" when a run ended
    std::vector<std::string> statusMessages;
};

class Document : public gui::DocumentPartner {
public:
    void setPathName(const std::string& path, bool addToRecentFiles) override {
        pathNames.push_back({path, addToRecentFiles});
    }
    std::vector<std::pair<std::string, bool>> pathNames;
};

class Pane : public gui::PaneUpdate {
public:
    void setText(const std::string& value) override { text = value; }
    std::string text;
};

class ImageList : public gui::ImageList {
public:
    void addIcon(int iconId) override { ids.push_back(iconId); }
    int imageCount() const override { return static_cast<int>(ids.size()); }
    std::vector<int> ids;
    int width = 0, height = 0;
};

class Font : public gui::Font {
public:
    std::string face;
    int height = 0, width = 0;
};

class Services : public gui::ShellServices {
public:
    std::unique_ptr<gui::ImageList> createImageList(int width, int height) override {
        auto list = std::make_unique<ImageList>();
        list->width = width;
        list->height = height;
        return list;
    }
    std::unique_ptr<gui::Font> createFont(const std::string& face, int height, int width) override {
        if (fontFails) return nullptr;
        auto font = std::make_unique<Font>();
        font->face = face;
        font->height = height;
        font->width = width;
        return font;
    }
    bool runGoToLineDialog(std::uint32_t& lineNumber) override {
        shownLineNumber = lineNumber;
        if (answer) lineNumber = *answer;
        return answer != nullptr;
    }
    // Runs work and done at once, unless deferred: then finishWork runs them.
    std::unique_ptr<gui::BackgroundTask> runInBackground(std::function<void()> work,
                                                         std::function<void()> done) override {
        if (!deferWork) {
            work();
            done();
        } else {
            pendingWork = std::move(work);
            pendingDone = std::move(done);
        }
        return std::make_unique<gui::BackgroundTask>();
    }
    void finishWork() {
        auto work = std::move(pendingWork);
        auto done = std::move(pendingDone);
        work();
        done();
    }
    void navigate(const std::wstring& address) override { navigated.push_back(address); }
    void endProcess(int exitCode) override { exitCodes.push_back(exitCode); }

    bool fontFails = false;
    bool deferWork = false;
    std::function<void()> pendingWork, pendingDone;
    std::unique_ptr<std::uint32_t> answer;  // null: the user cancels
    std::uint32_t shownLineNumber = 0;
    std::vector<std::wstring> navigated;
    std::vector<int> exitCodes;
};

// Hands out what the test sets up, and remembers what it was asked.
class Decompiler : public decompiler::Decompiler {
public:
    using Result = std::function<std::unique_ptr<decompiler::ClassStructure>(const std::string&)>;

    std::unique_ptr<decompiler::ClassStructure> decompile(const std::string& path,
                                                         const decompiler::engine::RunOptions& options) override {
        paths.push_back(path);
        lastOptions = options;
        return result ? result(path) : nullptr;
    }
    std::unique_ptr<decompiler::ClassStructure> createClassStructure(const char*,
                                                                     std::size_t) override {
        return nullptr;
    }

    Result result;
    std::vector<std::string> paths;
    decompiler::engine::RunOptions lastOptions;
};

// A class-structure tree from a parsing result, built as the pipeline builds it.
std::unique_ptr<decompiler::ClassStructure> tree(const std::string& parsingResult,
                                                 const std::string& text);

}
