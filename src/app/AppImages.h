// The pictures the window shows, by the names the program gives them ("velmar.icns",
// "caution-icon.png", a product's catalogue image), drawn from the SVGs compiled into the program.
#pragma once

#include <QIcon>
#include <QPixmap>
#include <QSize>
#include <string>

#include "platform/KeyedArchive.h"

namespace app {

// The resource (":/images/...") that stands for a named picture.
QString imageResourceFor(const std::string& name);
// The locked-lock picture of firmware-management mode.
QString lockImageResource();
// Renders a resource at size, keeping its aspect ratio; an empty pixmap when it is missing.
QPixmap renderImage(const QString& resource, QSize size);
// An icon drawn from a resource at each size when that size is first painted, not before.
QIcon drawnIcon(const QString& resource);

}  // namespace app
