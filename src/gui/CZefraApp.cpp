#include "gui/CZefraApp.h"

#include "gui/ApplicationShell.h"
#include "gui/Icons.h"

namespace products {
namespace zefra {
namespace gui {

CZefraApp::CZefraApp(int& argc, char** argv) : QApplication(argc, argv) {}

CZefraApp::~CZefraApp() = default;

void CZefraApp::applyIdentity() {
    setOrganizationName(SETTINGS_KEY);
    setApplicationName(APPLICATION_NAME);
    setWindowIcon(iconForId(128));
}

bool CZefraApp::initInstance() {
    applyIdentity();
    _shell = std::make_unique<ApplicationShell>();
    return _shell->start(arguments());
}

}
}
}
