#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "gui/Partners.h"
#include "platform/messagebox/MessageBoxReporter.h"

namespace products {
namespace zefra {
namespace decompiler {
class ClassStructure;
class Decompiler;
}

namespace gui {

// The one object through which document, frame, views and the decompilation
// pipeline talk to each other. The window classes only register themselves
// and forward their commands here, so all of this runs without windows.
class Delegate {
public:
    static constexpr int IMAGE_SIZE = 16;

    // Reads config.txt from the application directory. Throws when the
    // application directory cannot be determined.
    Delegate(const std::string& title, ShellServices& services);
    // The same with another decompiler (tests).
    Delegate(const std::string& title, ShellServices& services,
             std::unique_ptr<decompiler::Decompiler> decompiler);
    ~Delegate();

    Delegate(const Delegate&) = delete;
    Delegate& operator=(const Delegate&) = delete;

    static Delegate& instance();
    static bool hasInstance();
    static void setInstance(Delegate* delegate);

    void registerTreeView(TreeViewPartner* view);
    void registerEditView(EditViewPartner* view);
    void registerMainFrame(MainFramePartner* frame);
    void registerDocument(DocumentPartner* document);
    void openPendingFile();
    void assertRegistered() const;

    void openDocument(const std::string& path);
    void clearViews();
    bool saveDocument(const std::string& path);
    void goToLine();
    void selectLine(int index);
    void selectTreeItemLine(std::int32_t datum);
    void focusEditView();
    void updateLineIndicator(PaneUpdate& pane) const;
    void navigateTo(const std::string& address);
    // The dialect of the next opens (View > Modern Java).
    void setModernJava(bool modern);
    void fillTree(const decompiler::ClassStructure& node, TreeItem parent);
    void setText(const std::string& text);

    const std::string& homepageUrl() const { return _homepageUrl; }
    const std::string& orderUrl() const { return _orderUrl; }
    const std::string& improveCodeUrl() const { return _improveCodeUrl; }
    const std::string& applicationDirectory() const { return _applicationDirectory; }
    const std::string& pendingFile() const { return _pendingFile; }

private:
    void createImages();
    void readConfiguration();
    void decompileAndShow(const std::string& longPath);
    void insertMembers(const decompiler::ClassStructure& node, TreeItem classItem);
    static bool isClassFilePath(const std::string& path);
    static std::string javaNameOf(const std::string& longPath);

    TreeViewPartner* _treeView;
    EditViewPartner* _editView;
    MainFramePartner* _mainFrame;
    DocumentPartner* _document;
    ShellServices& _services;
    std::unique_ptr<decompiler::Decompiler> _decompiler;
    std::unique_ptr<ImageList> _imageList;
    std::unique_ptr<Font> _font;
    std::string _applicationDirectory;
    std::string _title;
    platform::MessageBoxReporter _messageBox;
    std::string _pendingFile;
    std::string _orderUrl;
    std::string _homepageUrl;
    std::string _improveCodeUrl;

    static Delegate* _instance;
};

}
}
}
