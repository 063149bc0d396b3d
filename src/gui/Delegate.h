#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "gui/Partners.h"
#include "platform/messagebox/MessageBoxReporter.h"

namespace util {
namespace config {
class Config;
}
}

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
    // Seconds the engine may take, unless config.txt says otherwise (engineTimeout).
    static constexpr int DEFAULT_ENGINE_TIMEOUT = 30;

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

    // Starts decompiling; the tree, the text and the document's name follow
    // when the engine has ended (at once with services that run work in place).
    void openDocument(const std::string& path);
    bool isDecompiling() const { return _run != nullptr; }
    // Ends the engine's run; what was shown before stays.
    void cancelDecompiling();
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
    int engineTimeout() const { return _engineTimeout; }

private:
    struct Run;

    void createImages();
    void readConfiguration();
    void readEngineTimeout(const ::util::config::Config& config);
    void startDecompiling(const std::string& longPath);
    void finishDecompiling(Run& run);
    void showDecompiled(Run& run);
    void showClassStructure(const decompiler::ClassStructure* root);
    template <typename Step>
    void reportingFailures(Step step);
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
    int _engineTimeout;
    // The decompilation in progress (null when none) and the task running it;
    // the task goes first, as it uses the decompiler.
    std::shared_ptr<Run> _run;
    std::unique_ptr<BackgroundTask> _task;

    static Delegate* _instance;
};

}
}
}
