#include "app/ORVABluetoothManagerView.h"

#include "app/ORVABluetoothManagerAppController.h"

namespace app {

void ORVABluetoothManagerView::mousePressEvent(QMouseEvent* event) {
    if (auto* c = appController(); c && c->listTabsOpened()) {
        c->setListTabsOpened(false);
        c->enableListTabsTo(false);
    }
    QWidget::mousePressEvent(event);
}

}  // namespace app
