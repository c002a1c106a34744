// The main window's background view: a click anywhere in it closes an open tab pop-up.
#pragma once

#include <QWidget>
#include <atomic>

namespace app {

class ORVABluetoothManagerAppController;

class ORVABluetoothManagerView : public QWidget {
public:
    explicit ORVABluetoothManagerView(QWidget* parent = nullptr) : QWidget(parent) {}
    ORVABluetoothManagerAppController* appController() const { return appController_.load(); }
    void setAppController(ORVABluetoothManagerAppController* c) { appController_.store(c); }

protected:
    void mousePressEvent(QMouseEvent* event) override;

private:
    std::atomic<ORVABluetoothManagerAppController*> appController_{nullptr};
};

}  // namespace app
