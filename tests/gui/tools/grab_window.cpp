// Starts the viewer as the zefra program does, then saves a picture of its
// main window: zefra_window_grab <picture.png> [file.class]
#include <QPixmap>
#include <QTimer>

#include "gui/ApplicationShell.h"
#include "gui/CMainFrame.h"
#include "gui/CZefraApp.h"

int main(int argc, char** argv) {
    if (argc < 2) return 2;
    const QString picture = argv[1];
    // The viewer sees the arguments after the picture's name.
    std::vector<char*> arguments{argv[0]};
    for (int i = 2; i < argc; ++i) arguments.push_back(argv[i]);
    int count = static_cast<int>(arguments.size());
    products::zefra::gui::CZefraApp app(count, arguments.data());
    if (!app.initInstance()) return 1;
    QTimer::singleShot(1500, &app, [&] {
        app.shell()->mainFrame()->grab().save(picture);
        app.quit();
    });
    return app.exec();
}
