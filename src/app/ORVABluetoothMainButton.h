// A side button of the main window: blue (0, 117, 168) while it is the pressed page's button and
// enabled, white otherwise; its title is drawn in black.
#pragma once

#include <QPushButton>

namespace app {

class ORVABluetoothMainButton : public QPushButton {
public:
    explicit ORVABluetoothMainButton(QWidget* parent = nullptr);
    // State 1 = the button of the page shown.
    void setState(int state);
    int state() const { return state_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int state_ = 0;
};

}  // namespace app
