#include "update/UpdateViewController.h"

#include "app/ORVABluetoothManagerAppController.h"

namespace update {

UpdateViewController::UpdateViewController(int32_t mode)
    : mode_(mode == 5 ? 5 : 6), btnNext_(new QPushButton(view())), btnBack_(new QPushButton(view())) {
    btnNext_->hide();
    btnBack_->hide();
}

void UpdateViewController::moveToBack(QObject*) { appController()->setDeviceRecognitionWithStatus(true, nullptr, 0); }

}  // namespace update
