#pragma once

#include <QApplication>
#include <memory>

namespace products {
namespace zefra {
namespace gui {

class ApplicationShell;

// The application object: settings key, then the shell's start-up.
class CZefraApp : public QApplication {
    Q_OBJECT
public:
    static constexpr const char* SETTINGS_KEY = "Local AppWizard-Generated Applications";
    static constexpr const char* APPLICATION_NAME = "zefra";
    // Start-up could not go on (no mediator, or no main window).
    static constexpr int INITIALIZATION_FAILED_EXIT_CODE = -1;

    CZefraApp(int& argc, char** argv);
    ~CZefraApp() override;

    // The start-up routine; false when the program must end.
    bool initInstance();

    ApplicationShell* shell() const { return _shell.get(); }

    // Organisation, application name and icon, as every start-up sets them.
    static void applyIdentity();

private:
    std::unique_ptr<ApplicationShell> _shell;
};

}
}
}
