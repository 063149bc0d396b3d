#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace products {
namespace zefra {
namespace gui {

// What the mediator needs of the window system and of the four window
// classes. The mediator is written against these alone, so that it runs
// without any window system; the Qt classes implement them.

// An item of the tree view; 0 stands for "none" (the top level).
using TreeItem = std::uintptr_t;
constexpr TreeItem NO_TREE_ITEM = 0;

// The tree's icons, owned by the mediator.
class ImageList {
public:
    virtual ~ImageList() = default;
    // Adds the icon with the given resource id as the next image.
    virtual void addIcon(int iconId) = 0;
    virtual int imageCount() const = 0;
};

// The editor font, owned by the mediator.
class Font {
public:
    virtual ~Font() = default;
};

class TreeViewPartner {
public:
    virtual ~TreeViewPartner() = default;
    virtual void deleteAllItems() = 0;
    // Appends an item under parent (NO_TREE_ITEM: top level) and returns it.
    virtual TreeItem insertItem(const std::string& text, int image, int selectedImage,
                                std::int32_t datum, TreeItem parent, bool hasChildren) = 0;
    virtual void expand(TreeItem item) = 0;
    virtual void setImageList(const ImageList& images) = 0;
    // Buttons, lines and lines at the root.
    virtual void addTreeStyles() = 0;
};

// Offsets count characters as the editor holds them; lines are 0-based.
class EditViewPartner {
public:
    virtual ~EditViewPartner() = default;
    virtual int getLimitText() const = 0;
    virtual void setLimitText(int characters) = 0;
    // The whole text as bytes, exactly as the engine wrote it.
    virtual void setWholeText(const std::string& text) = 0;
    virtual std::string getWholeText() const = 0;
    // end is exclusive; start == end when nothing is selected.
    virtual void getSelection(int& start, int& end) const = 0;
    // offset -1: the caret's line (the selection start's line).
    virtual int lineFromChar(int offset) const = 0;
    // line -1: the caret's line.
    virtual int lineIndex(int line) const = 0;
    // Characters of the line, its line break not counted.
    virtual int lineLength(int line) const = 0;
    virtual int getLineCount() const = 0;
    virtual void setSelection(int anchor, int active) = 0;
    virtual void scrollCaret() = 0;
    virtual int getFirstVisibleLine() const = 0;
    virtual void lineScroll(int lines) = 0;
    virtual void setEditorFont(const Font& font) = 0;
    virtual void takeFocus() = 0;
};

class MainFramePartner {
public:
    virtual ~MainFramePartner() = default;
    virtual void acceptDroppedFiles() = 0;
    // While a class file is decompiled: a busy cursor, statusText in the
    // status bar, Cancel offered and the text kept from editing. An empty
    // statusText: the run is over.
    virtual void showDecompiling(const std::string& statusText) = 0;
    // A passing message in the status bar.
    virtual void showStatusMessage(const std::string& text) = 0;
};

class DocumentPartner {
public:
    virtual ~DocumentPartner() = default;
    virtual void setPathName(const std::string& path, bool addToRecentFiles) = 0;
};

// One refresh of a status-bar pane.
class PaneUpdate {
public:
    virtual ~PaneUpdate() = default;
    virtual void setText(const std::string& text) = 0;
};

// Work running off the GUI thread. Destroying the task waits for the work to
// end; its done step then never runs.
class BackgroundTask {
public:
    virtual ~BackgroundTask() = default;
};

// Window-system services the mediator uses directly.
class ShellServices {
public:
    virtual ~ShellServices() = default;
    // width x height pixels, colour with mask.
    virtual std::unique_ptr<ImageList> createImageList(int width, int height) = 0;
    // Null when the font cannot be created.
    virtual std::unique_ptr<Font> createFont(const std::string& face, int height, int width) = 0;
    // Runs the Go To Line dialog modally; lineNumber in and out. False when
    // the user cancelled.
    virtual bool runGoToLineDialog(std::uint32_t& lineNumber) = 0;
    // Runs work on a thread of its own, then done on the GUI thread.
    virtual std::unique_ptr<BackgroundTask> runInBackground(std::function<void()> work,
                                                            std::function<void()> done) = 0;
    // Hands the address to the system's hyperlink service; the outcome is ignored.
    virtual void navigate(const std::wstring& address) = 0;
    // Ends the process at once (start-up cannot go on).
    virtual void endProcess(int exitCode) = 0;
};

}
}
}
