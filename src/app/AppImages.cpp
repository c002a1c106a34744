#include "app/AppImages.h"

#include <QIconEngine>
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

QPixmap renderImage(const QString& resource, QSize size, qreal devicePixelRatio) {
    QSvgRenderer renderer(resource);
    if (!renderer.isValid() || size.isEmpty()) return {};
    if (devicePixelRatio <= 0) devicePixelRatio = 1.0;
    const QSize drawn = renderer.defaultSize().scaled(size, Qt::KeepAspectRatio);
    QPixmap pixmap(drawn * devicePixelRatio);
    pixmap.fill(Qt::transparent);
    {
        QPainter painter(&pixmap);
        renderer.render(&painter);
    }
    pixmap.setDevicePixelRatio(devicePixelRatio);
    return pixmap;
}

namespace {

constexpr const char* kDrawnResource = "velmarDrawnResource";
constexpr const char* kDrawnSize = "velmarDrawnSize";

void drawLabel(QLabel* label) {
    const QString resource = label->property(kDrawnResource).toString();
    const QSize size = label->property(kDrawnSize).toSize();
    label->setPixmap(renderImage(resource, size.isEmpty() ? label->size() : size, label->devicePixelRatioF()));
}

}  // namespace

void showDrawnImage(QLabel* label, const QString& resource, QSize size) {
    label->setProperty(kDrawnResource, resource);
    label->setProperty(kDrawnSize, size);
    drawLabel(label);
}

void redrawDrawnImages(QWidget* root) {
    QList<QLabel*> labels = root->findChildren<QLabel*>();
    if (auto* self = qobject_cast<QLabel*>(root)) labels.append(self);
    for (QLabel* label : labels) {
        if (!label->property(kDrawnResource).isValid()) continue;
        if (label->pixmap().devicePixelRatio() != label->devicePixelRatioF()) drawLabel(label);
    }
}

namespace {

class DrawnIconEngine : public QIconEngine {
  public:
    explicit DrawnIconEngine(QString resource) : resource_(std::move(resource)) {}
    // size is in device pixels: QIcon asks for the points times the pixel ratio.
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        if (drawn_.isNull() || drawnAt_ != size) {
            drawn_ = renderImage(resource_, size);
            drawnAt_ = size;
        }
        // The disabled and selected looks come from the style, as for any icon made of pixmaps.
        return mode == QIcon::Normal ? drawn_ : QIcon(drawn_).pixmap(size, mode, state);
    }
    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override {
        const qreal ratio = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
        QPixmap drawn = pixmap(rect.size() * ratio, mode, state);
        drawn.setDevicePixelRatio(ratio);
        painter->drawPixmap(rect, drawn);
    }
    QIconEngine* clone() const override { return new DrawnIconEngine(resource_); }

  private:
    QString resource_;
    QPixmap drawn_;
    QSize drawnAt_;
};

}  // namespace

QIcon drawnIcon(const QString& resource) { return QIcon(new DrawnIconEngine(resource)); }

}  // namespace app
