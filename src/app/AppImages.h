// The pictures the window shows, by the names the program gives them ("velmar.icns",
// "caution-icon.png", a product's catalogue image), drawn from the SVGs compiled into the program.
#pragma once

#include <QIcon>
#include <QLabel>
#include <QPixmap>
#include <QSize>
#include <string>

#include "platform/KeyedArchive.h"

namespace app {

// The resource (":/images/...") that stands for a named picture.
QString imageResourceFor(const std::string& name);
// The locked-lock picture of firmware-management mode.
QString lockImageResource();
// Renders a resource at size (in points), keeping its aspect ratio, with devicePixelRatio device
// pixels per point; an empty pixmap when it is missing.
QPixmap renderImage(const QString& resource, QSize size, qreal devicePixelRatio = 1.0);
// An icon drawn from a resource at each size and pixel ratio when it is first painted so, not
// before.
QIcon drawnIcon(const QString& resource);
// Shows a resource in a label at the label's size (or size), drawn for the label's screen; the
// label keeps the resource so that redrawDrawnImages draws it again for another screen.
void showDrawnImage(QLabel* label, const QString& resource, QSize size = {});
// Draws again every drawn picture of root's labels (its own windows' too) whose pixel ratio is no
// longer their screen's: after a window moved to a screen with another ratio.
void redrawDrawnImages(QWidget* root);

}  // namespace app
