// The program: the window, the controller with its eight pages, and the one road out.
#include <QApplication>
#include <QIcon>
#include <QMetaObject>
#include <cstdlib>

#include "app/ApplicationPages.h"
#include "app/MainWindow.h"
#include "app/ManagerStyle.h"
#include "app/ORVABluetoothManagerAppController.h"
#include "app/ORVABluetoothManagerAppDelegate.h"
#include "app/SanitizerSuppressions.h"
#include "app/TerminationSignals.h"
#include "platform/MainQueue.h"
#include "platform/Process.h"

int main(int argc, char** argv) {
    platform::markMainThread();
    platform::setProgramArguments(argc, argv);
    QApplication application(argc, argv);
    QApplication::setApplicationName("VELMAR Helmets Device Manager");
    QApplication::setDesktopFileName("velmar-device-manager");
    // Only the termination handler ends the program; closing the window asks the controller.
    QApplication::setQuitOnLastWindowClosed(false);
    QApplication::setStyle(new app::ManagerStyle);
    platform::setMainQueueWaker([] {
        QMetaObject::invokeMethod(qApp, [] { platform::drainMainQueue(); }, Qt::QueuedConnection);
    });
    app::quitEventLoopOnTerminationSignals();

    app::ApplicationPages pages;
    app::ORVABluetoothManagerAppController controller(pages);
    app::MainWindow window;
    controller.setWindow(&window);
    controller.awakeFromNib();
    window.show();
    // The icon is drawn from its SVG at five sizes for the window manager: once the window is up,
    // not before its first paint.
    QMetaObject::invokeMethod(
        qApp, [] { QApplication::setWindowIcon(QIcon(":/icons/velmar-device-manager.svg")); }, Qt::QueuedConnection);

    app::ORVABluetoothManagerAppDelegate delegate(&window, &controller);
    int status = QApplication::exec();
    delegate.applicationWillTerminate();
    platform::setMainQueueWaker(nullptr);
    // A thread that did not stop still uses the pages: end without tearing them down.
    if (!delegate.threadsStopped()) std::_Exit(status);
    return status;
}
