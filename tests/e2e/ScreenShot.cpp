// Xlib's macros (Status, None, ...) clash with Qt and GoogleTest headers: they stay in this file.
#include "ScreenShot.h"

#include <QImage>
#include <QString>
#include <chrono>
#include <thread>

#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace e2e {

bool saveScreen(const std::string& display, const std::string& file) {
    Display* d = XOpenDisplay(display.c_str());
    if (!d) return false;
    Window root = DefaultRootWindow(d);
    XWindowAttributes a;
    XGetWindowAttributes(d, root, &a);
    XImage* x = XGetImage(d, root, 0, 0, static_cast<unsigned>(a.width), static_cast<unsigned>(a.height), AllPlanes,
                          ZPixmap);
    bool saved = false;
    if (x) {
        QImage image(a.width, a.height, QImage::Format_RGB32);
        for (int y = 0; y < a.height; ++y)
            for (int c = 0; c < a.width; ++c) image.setPixel(c, y, static_cast<unsigned>(XGetPixel(x, c, y)));
        saved = image.save(QString::fromStdString(file));
        XDestroyImage(x);
    }
    XCloseDisplay(d);
    return saved;
}

bool saveScreenOnceTextAt(const std::string& display, const std::string& file, int x, int y, int width, int height) {
    for (int attempt = 0; attempt < 50; ++attempt) {
        if (!saveScreen(display, file)) return false;
        const QImage image(QString::fromStdString(file));
        for (int row = y; row < y + height && row < image.height(); ++row)
            for (int column = x; column < x + width && column < image.width(); ++column)
                if (qGray(image.pixel(column, row)) < 80) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return false;
}

}  // namespace e2e
