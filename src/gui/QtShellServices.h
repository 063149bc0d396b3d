#pragma once

#include <QFont>
#include <QIcon>
#include <vector>

#include "gui/Partners.h"

namespace products {
namespace zefra {
namespace gui {

class QtImageList : public ImageList {
public:
    explicit QtImageList(int size) : _size(size) {}
    void addIcon(int iconId) override;
    int imageCount() const override { return static_cast<int>(_icons.size()); }
    // A null icon for an index out of range.
    QIcon icon(int index) const;
    int size() const { return _size; }

private:
    int _size;
    std::vector<QIcon> _icons;
};

class QtFont : public Font {
public:
    explicit QtFont(const QFont& font) : _font(font) {}
    const QFont& font() const { return _font; }

private:
    QFont _font;
};

// The window system as the mediator sees it, on Qt.
class QtShellServices : public ShellServices {
public:
    std::unique_ptr<ImageList> createImageList(int width, int height) override;
    std::unique_ptr<Font> createFont(const std::string& face, int height, int width) override;
    bool runGoToLineDialog(std::uint32_t& lineNumber) override;
    std::unique_ptr<BackgroundTask> runInBackground(std::function<void()> work,
                                                    std::function<void()> done) override;
    void navigate(const std::wstring& address) override;
    void endProcess(int exitCode) override;
};

}
}
}
