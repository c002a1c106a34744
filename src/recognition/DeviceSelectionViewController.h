// Mode 3, the start page: the user picks a model.
#pragma once

#include <QPushButton>

#include "app/PageProtocols.h"

namespace recognition {

class DeviceSelectionViewController : public app::DeviceSelectionPage {
public:
    DeviceSelectionViewController();
    void initializeObjectOnStartUp(bool startUp) override { startUp_ = startUp; }
    void targetDeviceSet(QObject*) override {}
    QAbstractButton* btnNext() override { return btnNext_; }

private:
    bool startUp_ = false;
    QPushButton* btnNext_;
};

}  // namespace recognition
