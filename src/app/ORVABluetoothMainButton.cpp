#include "app/ORVABluetoothMainButton.h"

#include <QPainter>

namespace app {

ORVABluetoothMainButton::ORVABluetoothMainButton(QWidget* parent) : QPushButton(parent) {
    setFocusPolicy(Qt::NoFocus);
}

void ORVABluetoothMainButton::setState(int state) {
    state_ = state;
    update();
}

void ORVABluetoothMainButton::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const bool pressedPage = isEnabled() && state_ == 1;
    p.fillRect(rect(), pressedPage ? QColor(0, 117, 168) : QColor(255, 255, 255));
    p.setPen(QColor(190, 190, 190));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
    p.setPen(isEnabled() ? QColor(Qt::black) : QColor(150, 150, 150));
    p.setFont(font());
    p.drawText(rect().adjusted(6, 0, -6, 0), Qt::AlignCenter | Qt::TextWordWrap, text());
}

}  // namespace app
