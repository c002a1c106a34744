// Modes 5 and 6: the firmware update page and the firmware restore page.
#pragma once

#include <QPushButton>

#include "app/PageProtocols.h"
#include "update/UpdatePageFields.h"

namespace update {

class UpdateViewController : public app::FirmwarePage {
public:
    // mode 5: the update page; any other value: the restore page.
    explicit UpdateViewController(int32_t mode);
    int32_t pageMode() const { return mode_; }

    void initializeObjectWithDefaultStatus(bool showDefaultStatus) override { showDefaultStatus_ = showDefaultStatus; }
    bool restorePossible() const override { return false; }
    void readLatest() override { setControls(); }
    void setControlsFirmwareRestore() override {}
    void moveToNext(QObject*) override {}
    void moveToBack(QObject* sender) override;
    QAbstractButton* btnNext() override { return btnNext_; }
    QAbstractButton* btnBack() override { return btnBack_; }
    int32_t tabCount() const override { return 0; }
    int32_t tabAt(int32_t) const override { return 0; }
    int32_t tabIndexSelected() const override { return 0; }
    void setTabIndexSelected(int32_t) override {}
    void setOpenedMessageBox(bool opened) override { fields_.openedMessageBox = opened; }
    // What the workers write and the timer reads.
    UpdatePageFields& fields() { return fields_; }
    const UpdatePageFields& fields() const { return fields_; }
    void endNelvarUpdate() override {}

private:
    int32_t mode_;
    bool showDefaultStatus_ = false;
    UpdatePageFields fields_;
    QPushButton* btnNext_;
    QPushButton* btnBack_;
};

}  // namespace update
