#include "gui/CZefraApp.h"

int main(int argc, char** argv) {
    products::zefra::gui::CZefraApp app(argc, argv);
    if (!app.initInstance()) {
        return products::zefra::gui::CZefraApp::INITIALIZATION_FAILED_EXIT_CODE;
    }
    return app.exec();
}
