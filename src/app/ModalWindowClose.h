// The window system's close of the main window while a sheet is shown. Qt drops a close request
// for a window that a modal sheet blocks; ours must still ask the controller, as a close without
// a sheet does (the controller refuses while an operation runs). On X11 the request is the window
// manager's WM_DELETE_WINDOW message, seen here before Qt drops it.
#pragma once

#include <QAbstractNativeEventFilter>
#include <QWidget>
#include <cstdint>
#include <functional>

namespace app {

class ModalWindowClose : public QAbstractNativeEventFilter {
public:
    // Installs itself on the application; onClose runs on the event loop's next turn.
    ModalWindowClose(QWidget* window, std::function<void()> onClose);
    ~ModalWindowClose() override;
    ModalWindowClose(const ModalWindowClose&) = delete;
    ModalWindowClose& operator=(const ModalWindowClose&) = delete;

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

private:
    QWidget* window_;
    std::function<void()> onClose_;
    uint32_t wmProtocols_ = 0, wmDeleteWindow_ = 0;  // 0: not on X11
};

}  // namespace app
