#include "app/AppImages.h"

#include <QPainter>
#include <QSvgRenderer>

#include "device/DrawnImages.h"

namespace app {

QString imageResourceFor(const std::string& name) {
    if (name == "caution-icon.png") return ":/images/caution-icon.svg";
    if (name == "bg_velmar_mac.png") return ":/images/bg_velmar_mac.svg";
    if (name == "velmar_home_mac.png") return ":/images/velmar_home_mac.svg";
    auto drawn = device::drawnImageFileName(device::drawnImageForCatalogueImage(name));
    return ":/images/" + QString::fromUtf8(drawn.data(), static_cast<qsizetype>(drawn.size()));
}

QString lockImageResource() {
    auto drawn = device::drawnImageFileName(device::DrawnImage::Lock);
    return ":/images/" + QString::fromUtf8(drawn.data(), static_cast<qsizetype>(drawn.size()));
}

QPixmap renderImage(const QString& resource, QSize size) {
    QSvgRenderer renderer(resource);
    if (!renderer.isValid() || size.isEmpty()) return {};
    QSize drawn = renderer.defaultSize().scaled(size, Qt::KeepAspectRatio);
    QPixmap pixmap(drawn);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    renderer.render(&painter);
    return pixmap;
}

}  // namespace app
