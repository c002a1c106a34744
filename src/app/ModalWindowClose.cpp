#include "app/ModalWindowClose.h"

#include <xcb/xcb.h>

#include <QApplication>
#include <QGuiApplication>
#include <QMetaObject>
#include <cstdlib>
#include <string>

namespace app {

namespace {

xcb_intern_atom_cookie_t askAtom(xcb_connection_t* connection, const std::string& name) {
    return xcb_intern_atom(connection, 0, static_cast<uint16_t>(name.size()), name.c_str());
}

uint32_t atomOf(xcb_connection_t* connection, xcb_intern_atom_cookie_t cookie) {
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(connection, cookie, nullptr);
    if (!reply) return 0;
    const uint32_t atom = reply->atom;
    std::free(reply);
    return atom;
}

}  // namespace

ModalWindowClose::ModalWindowClose(QWidget* window, std::function<void()> onClose)
    : window_(window), onClose_(std::move(onClose)) {
    auto* x11 = qApp ? qApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (!x11 || !x11->connection()) return;
    // Both asked before either answer is awaited: one round trip to the X server, not two.
    xcb_connection_t* connection = x11->connection();
    const xcb_intern_atom_cookie_t protocols = askAtom(connection, "WM_PROTOCOLS");
    const xcb_intern_atom_cookie_t deleteWindow = askAtom(connection, "WM_DELETE_WINDOW");
    wmProtocols_ = atomOf(connection, protocols);
    wmDeleteWindow_ = atomOf(connection, deleteWindow);
    QCoreApplication::instance()->installNativeEventFilter(this);
}

ModalWindowClose::~ModalWindowClose() {
    if (wmDeleteWindow_ != 0 && QCoreApplication::instance())
        QCoreApplication::instance()->removeNativeEventFilter(this);
}

bool ModalWindowClose::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
    if (wmDeleteWindow_ == 0 || eventType != "xcb_generic_event_t") return false;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    if ((event->response_type & 0x7F) != XCB_CLIENT_MESSAGE) return false;
    const auto* request = reinterpret_cast<const xcb_client_message_event_t*>(event);
    if (request->format != 32 || request->type != wmProtocols_ || request->data.data32[0] != wmDeleteWindow_ ||
        request->window != static_cast<xcb_window_t>(window_->winId()))
        return false;
    // Without a sheet Qt delivers the close itself.
    if (!QApplication::activeModalWidget()) return false;
    QMetaObject::invokeMethod(window_, [close = onClose_] { close(); }, Qt::QueuedConnection);
    return false;
}

}  // namespace app
