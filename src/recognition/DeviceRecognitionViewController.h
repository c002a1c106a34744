// Mode 4: finds the connected headset and fills the device record.
#pragma once

#include <QPushButton>

#include "app/PageProtocols.h"

namespace recognition {

class DeviceRecognitionViewController : public app::DeviceRecognitionPage {
public:
    DeviceRecognitionViewController();
    void setCallerMode(int32_t callerMode) override { callerMode_ = callerMode; }
    int32_t callerMode() const override { return callerMode_; }
    void initializeObject() override {}
    void doRecognize(const device::ORVABluetoothDeviceData*) override {}
    void recognize(QObject*) override {}
    void targetDevice(QObject*) override {}
    QAbstractButton* btnNext() override { return btnNext_; }
    QAbstractButton* btnBack() override { return btnBack_; }

private:
    int32_t callerMode_ = 0;
    QPushButton* btnNext_;
    QPushButton* btnBack_;
};

}  // namespace recognition
