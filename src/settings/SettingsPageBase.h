// What the three settings pages share of the leave guard: the mode to go to once the save
// question is answered, and leaving by the next/back keys.
#pragma once

#include <QPushButton>

#include "app/PageProtocols.h"

namespace settings {

template <class Page>
class SettingsPageBase : public Page {
public:
    SettingsPageBase() : btnNewDevice_(new QPushButton(this->view())), btnBack_(new QPushButton(this->view())) {
        btnNewDevice_->hide();
        btnBack_->hide();
    }
    void initializeObject() override { this->setControls(); }
    void setModeToGo(int32_t modeToGo) override { modeToGo_ = modeToGo; }
    int32_t modeToGo() const { return modeToGo_; }
    bool checkNeedToSave() override { return false; }
    void moveToModeToGo() override;
    void save(QObject*) override {}
    void moveToDeviceSelection(QObject*) override;
    void moveToFirmwareUpdate(QObject*) override;
    QAbstractButton* btnNewDevice() override { return btnNewDevice_; }
    QAbstractButton* btnBack() override { return btnBack_; }

private:
    int32_t modeToGo_ = 0;
    QPushButton* btnNewDevice_;
    QPushButton* btnBack_;
};

}  // namespace settings
