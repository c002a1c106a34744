// Saves a picture of the main window on its start page in one interface language, for the
// screenshots under docs/:  velmar-window-shot LANGUAGE OUT.png   (run under Xvfb). The window takes
// the size of the X screen's: docs/main-window-1024x600.png is drawn on an Xvfb screen of 1024x600
// (Xvfb :N -screen 0 1024x600x24), the others on one of 1280x800.
#include <QApplication>
#include <QTemporaryDir>
#include <QThread>
#include <cstdlib>

#include "app/ApplicationPages.h"
#include "app/MainWindow.h"
#include "app/ORVABluetoothManagerAppController.h"
#include "app/SanitizerSuppressions.h"
#include "platform/MainQueue.h"

int main(int argc, char** argv) {
    if (argc != 3) return 2;
    QTemporaryDir data;  // a fresh data folder: the user's configuration stays untouched
    setenv("XDG_DATA_HOME", data.path().toUtf8().constData(), 1);
    QApplication application(argc, argv);
    app::ApplicationPages pages;
    app::ORVABluetoothManagerAppController controller(pages);
    app::MainWindow window;
    controller.setWindow(&window);
    controller.awakeFromNib();
    // As the language sheet's OK does.
    const int language = std::atoi(argv[1]);
    controller.setLanguageManager(language);
    controller.setStrLanguageManager(app::AppTexts::qelm_language_manager(language));
    controller.setControlsFont();
    controller.setControls();
    controller.updateStatusInManagerLanguage();
    window.show();
    // The start page's version check runs first (bounded by its time-out); the window is drawn
    // once it has ended, as the user sees it from then on.
    for (int i = 0; i < 20 || (controller.onProcessing() && i < 1000); ++i) {
        platform::drainMainQueue();
        QApplication::processEvents();
        QThread::msleep(20);
    }
    return window.grab().save(argv[2]) ? 0 : 1;
}
