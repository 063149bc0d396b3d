#include "gui/Delegate.h"

#include "debug/assertion.h"
#include "decompiler/ClassStructure.h"
#include "decompiler/DecompilerException.h"
#include "decompiler/DecompilerImpl.h"
#include "decompiler/engine/DecompilerEngineException.h"
#include "decompiler/engine/EngineRunCancelledException.h"
#include "decompiler/engine/RunOptions.h"
#include "decompiler/parser/ParserException.h"
#include "gui/TreeImages.h"
#include "io/IOException.h"
#include "io/file/FileHelper.h"
#include "util/Helpers.h"
#include "util/StringHelper.h"
#include "util/parser/ArgumentParserHelpers.h"
#include "windows/file/FileSystemHelpers.h"

#include <exception>

namespace products {
namespace zefra {
namespace gui {

namespace {

const char* const SOURCE = "gui/Delegate";

const char* const EDITOR_FONT_FACE = "courier new";
constexpr int EDITOR_FONT_HEIGHT = 16;
constexpr int EDITOR_FONT_WIDTH = 8;

// Room left beyond a text that outgrows the editor's limit.
constexpr int TEXT_LIMIT_MARGIN = 1000;

std::string decimal(int value) { return util::format(value, "%d"); }

const char* const ELLIPSIS = "\xe2\x80\xa6";

}

// One decompilation: what the worker is given and what it hands back.
struct Delegate::Run {
    std::string longPath;
    decompiler::engine::RunCancel cancel;
    std::unique_ptr<decompiler::ClassStructure> root;
    std::exception_ptr failure;
};

Delegate* Delegate::_instance = nullptr;

Delegate::Delegate(const std::string& title, ShellServices& services)
    : Delegate(title, services, std::make_unique<decompiler::DecompilerImpl>()) {}

Delegate::Delegate(const std::string& title, ShellServices& services,
                   std::unique_ptr<decompiler::Decompiler> decompiler)
    : _treeView(nullptr),
      _editView(nullptr),
      _mainFrame(nullptr),
      _document(nullptr),
      _services(services),
      _decompiler(std::move(decompiler)),
      _applicationDirectory(windows::file::getApplicationDirectory()),
      _title(title),
      _messageBox(title),
      _engineTimeout(DEFAULT_ENGINE_TIMEOUT) {
    createImages();
    _font = _services.createFont(EDITOR_FONT_FACE, EDITOR_FONT_HEIGHT, EDITOR_FONT_WIDTH);
    if (!_font) {
        assertionFailed("ret != 0", SOURCE, __LINE__);
    }
    readConfiguration();
}

// A run still going is ended and waited for: it uses the decompiler.
Delegate::~Delegate() {
    cancelDecompiling();
    _task.reset();
}

void Delegate::setModernJava(bool modern) {
    _decompiler->setDialect(modern ? decompiler::parser::JavaDialect::Modern
                                   : decompiler::parser::JavaDialect::Classic);
}

Delegate& Delegate::instance() {
    if (!_instance) {
        assertionFailed("_instance", SOURCE, __LINE__);
    }
    return *_instance;
}

bool Delegate::hasInstance() { return _instance != nullptr; }

void Delegate::setInstance(Delegate* delegate) { _instance = delegate; }

void Delegate::createImages() {
    _imageList = _services.createImageList(IMAGE_SIZE, IMAGE_SIZE);
    for (int iconId : TREE_ICON_IDS) {
        _imageList->addIcon(iconId);
    }
}

// --- registration -----------------------------------------------------------

void Delegate::registerTreeView(TreeViewPartner* view) {
    _treeView = view;
    _treeView->setImageList(*_imageList);
    _treeView->addTreeStyles();
    openPendingFile();
}

void Delegate::registerEditView(EditViewPartner* view) {
    _editView = view;
    if (_font) {
        _editView->setEditorFont(*_font);
    }
    openPendingFile();
}

void Delegate::registerMainFrame(MainFramePartner* frame) {
    _mainFrame = frame;
    _mainFrame->acceptDroppedFiles();
    openPendingFile();
}

void Delegate::registerDocument(DocumentPartner* document) {
    if (_document && _document != document) {
        assertionFailed("!_document || _document == document", SOURCE, __LINE__);
    }
    _document = document;
    openPendingFile();
}

void Delegate::openPendingFile() {
    if (!_treeView || !_editView || !_mainFrame || !_document || _pendingFile.empty()) {
        return;
    }
    // Cleared first: the open may itself find a partner missing and store again.
    const std::string path = _pendingFile;
    _pendingFile.clear();
    openDocument(path);
}

void Delegate::assertRegistered() const {
    if (!_treeView) assertionFailed("_treeView", SOURCE, __LINE__);
    if (!_editView) assertionFailed("_editView", SOURCE, __LINE__);
    if (!_mainFrame) assertionFailed("_mainFrame", SOURCE, __LINE__);
    if (!_document) assertionFailed("_document", SOURCE, __LINE__);
}

// --- opening ----------------------------------------------------------------

bool Delegate::isClassFilePath(const std::string& path) {
    for (const char* extension : {".class", ".cla", ".CLASS", ".CLA"}) {
        if (path.find(extension) != std::string::npos) {
            return true;
        }
    }
    return false;
}

std::string Delegate::javaNameOf(const std::string& longPath) {
    std::string name = util::getFileNamePart(longPath);
    const std::string::size_type dot = name.rfind('.');
    if (dot != std::string::npos) {
        name.erase(dot);
    }
    return name + ".java";
}

void Delegate::openDocument(const std::string& path) {
    if (!_editView) {
        _pendingFile = path;
        return;
    }
    assertRegistered();
    if (_run) {
        // One run at a time: the engine's output folder and the parser are shared.
        if (_mainFrame) {
            _mainFrame->showStatusMessage("A class file is being decompiled. Press Esc to cancel it.");
        }
        return;
    }
    reportingFailures([this, &path] {
        const std::string longPath = windows::file::toLongPath(path);
        if (!isClassFilePath(longPath)) {
            _messageBox.reportError("The file " + longPath +
                                    " has an unsupported file format. Only .class files supported.");
            return;
        }
        windows::file::setCurrentDirectory(_applicationDirectory);
        startDecompiling(longPath);
    });
}

void Delegate::cancelDecompiling() {
    if (_run) _run->cancel.cancel();
}

// The engine runs off the GUI thread; the window stays responsive meanwhile.
void Delegate::startDecompiling(const std::string& longPath) {
    auto run = std::make_shared<Run>();
    run->longPath = longPath;
    decompiler::engine::RunOptions options;
    options.timeoutSeconds = _engineTimeout;
    options.cancel = &run->cancel;
    _run = run;
    if (_mainFrame) {
        _mainFrame->showDecompiling("Decompiling " + util::getFileNamePart(longPath) + ELLIPSIS);
    }
    decompiler::Decompiler* decompiler = _decompiler.get();
    _task.reset();  // an earlier run's task, long finished
    _task = _services.runInBackground(
        [run, decompiler, options] {
            try {
                run->root = decompiler->decompile(run->longPath, options);
            } catch (...) {
                run->failure = std::current_exception();
            }
        },
        [this, run] { finishDecompiling(*run); });
}

void Delegate::finishDecompiling(Run& run) {
    _run.reset();
    if (_mainFrame) _mainFrame->showDecompiling("");
    reportingFailures([this, &run] { showDecompiled(run); });
}

// Steps 6 to 12 of an open, once the engine has ended; a parse failure still
// shows the text and names the document.
void Delegate::showDecompiled(Run& run) {
    try {
        if (run.failure) std::rethrow_exception(run.failure);
        showClassStructure(run.root.get());
        run.root.reset();
    } catch (const decompiler::parser::ParserException& e) {
        if (_treeView) _treeView->deleteAllItems();
        setText(e.getText());
        _messageBox.reportError(
            "Could not parse the class file. The tree view will not be available. " +
            e.getMessage());
    }
    if (_document) {
        // The Java name, not the class file, is what Save must propose.
        _document->setPathName(run.longPath, true);
        _document->setPathName(javaNameOf(run.longPath), false);
    }
    assertRegistered();
}

// A failure ends the step; what was shown before stays.
template <typename Step>
void Delegate::reportingFailures(Step step) {
    try {
        step();
    } catch (const decompiler::DecompilerException& e) {
        _messageBox.reportError(e.getMessage());
    } catch (const decompiler::engine::EngineRunCancelledException&) {
        if (_mainFrame) _mainFrame->showStatusMessage("Decompiling cancelled.");
    } catch (const decompiler::engine::DecompilerEngineException& e) {
        _messageBox.reportError(e.getMessage());
    } catch (const windows::file::CouldNotConvertShortPathToLongPathException& e) {
        _messageBox.reportError(e.getMessage());
    } catch (const io::IOException& e) {
        _messageBox.reportError(e.getMessage());
    } catch (const exceptions::Exception& e) {
        assertionFailed("false", SOURCE, __LINE__);
        _messageBox.reportError(e.getMessage());
    } catch (...) {
        assertionFailed("false", SOURCE, __LINE__);
    }
}

void Delegate::showClassStructure(const decompiler::ClassStructure* root) {
    if (!root) {
        // The text travels inside the root: without one there is nothing to show,
        // and keeping the previous class under the new name would mislead Save.
        if (_treeView) _treeView->deleteAllItems();
        setText("");
        _messageBox.reportError("The decompiled text declares no class.");
        return;
    }
    fillTree(*root, NO_TREE_ITEM);
    setText(root->getText());
}

// --- tree -------------------------------------------------------------------

void Delegate::fillTree(const decompiler::ClassStructure& node, TreeItem parent) {
    assertRegistered();
    if (!_treeView) {
        return;
    }
    if (parent == NO_TREE_ITEM) {
        _treeView->deleteAllItems();
    }
    const decompiler::NameAndLine self = node.getNameAndLine();
    const TreeItem classItem = _treeView->insertItem(self.getName(), CLASS_IMAGE, CLASS_IMAGE,
                                                     self.getLine(), parent, !node.isEmpty());
    for (const auto& group : {node.getPrivateInnerClasses(), node.getProtectedInnerClasses(),
                              node.getPublicInnerClasses()}) {
        for (const decompiler::ClassStructure* child : group) {
            fillTree(*child, classItem);
        }
    }
    insertMembers(node, classItem);
    if (parent == NO_TREE_ITEM) {
        _treeView->expand(classItem);
    }
    assertRegistered();
}

void Delegate::insertMembers(const decompiler::ClassStructure& node, TreeItem classItem) {
    const std::pair<std::vector<decompiler::NameAndLine>, int> groups[] = {
        {node.getPrivateFields(), PRIVATE_FIELD_IMAGE},
        {node.getProtectedFields(), PROTECTED_FIELD_IMAGE},
        {node.getPublicFields(), PUBLIC_FIELD_IMAGE},
        {node.getPrivateMethods(), PRIVATE_METHOD_IMAGE},
        {node.getProtectedMethods(), PROTECTED_METHOD_IMAGE},
        {node.getPublicMethods(), PUBLIC_METHOD_IMAGE},
    };
    for (const auto& group : groups) {
        for (const decompiler::NameAndLine& member : group.first) {
            _treeView->insertItem(member.getName(), group.second, group.second, member.getLine(),
                                  classItem, false);
        }
    }
}

// --- editor -----------------------------------------------------------------

void Delegate::setText(const std::string& text) {
    assertRegistered();
    if (!_editView) {
        return;
    }
    if (static_cast<std::string::size_type>(_editView->getLimitText()) < text.size()) {
        _editView->setLimitText(static_cast<int>(text.size()) + TEXT_LIMIT_MARGIN);
    }
    _editView->setWholeText(text);
    if (_editView->getWholeText() != text) {
        assertionFailed("s == (const char*)tmp", SOURCE, __LINE__);
    }
}

void Delegate::clearViews() {
    if (_treeView) _treeView->deleteAllItems();
    if (_editView) _editView->setWholeText("");
}

void Delegate::selectLine(int index) {
    if (!_editView) {
        return;
    }
    const int start = _editView->lineIndex(index);
    const int length = _editView->lineLength(index);
    _editView->setSelection(start + length, start);
    _editView->scrollCaret();
    _editView->lineScroll(index - _editView->getFirstVisibleLine());
}

void Delegate::selectTreeItemLine(std::int32_t datum) { selectLine(datum); }

void Delegate::focusEditView() {
    if (_editView) _editView->takeFocus();
}

void Delegate::goToLine() {
    if (!_editView) {
        return;
    }
    std::uint32_t lineNumber = static_cast<std::uint32_t>(_editView->lineFromChar(-1)) + 1;
    // Cancel leaves the selection and the view as they were.
    if (!_services.runGoToLineDialog(lineNumber)) {
        return;
    }
    const int count = _editView->getLineCount();
    if (lineNumber != 0 && lineNumber <= static_cast<std::uint32_t>(count)) {
        selectLine(static_cast<int>(lineNumber - 1));
    } else {
        platform::MessageBoxReporter(_title).reportInformation(
            "The line number must be between " + util::format(1, "%u") + " and " +
            util::format(count, "%u"));
    }
}

void Delegate::updateLineIndicator(PaneUpdate& pane) const {
    if (!_editView) {
        return;
    }
    int start = 0;
    int end = 0;
    _editView->getSelection(start, end);
    const auto position = [this](int offset) {
        const int line = _editView->lineFromChar(offset);
        const int column = offset - _editView->lineIndex(line);
        return "Ln " + decimal(line + 1) + " Col " + decimal(column + 1);
    };
    pane.setText(start == end ? position(start) : position(start) + " - " + position(end));
}

// --- saving and web pages ---------------------------------------------------

bool Delegate::saveDocument(const std::string& path) {
    assertRegistered();
    if (!_editView) {
        return false;
    }
    try {
        io::file::FileHelper::saveFile(path, _editView->getWholeText());
    } catch (const io::IOException& e) {
        _messageBox.reportError("Error saving file." + e.getMessage());
        return false;
    }
    assertRegistered();
    return true;
}

void Delegate::navigateTo(const std::string& address) {
    try {
        _services.navigate(util::StringHelper::toWide(address));
    } catch (const exceptions::Exception& e) {
        // An address that cannot even be handed over deserves a word; what the
        // service makes of one it received is its own business.
        _messageBox.reportError(e.getMessage());
    }
}

}
}
}
