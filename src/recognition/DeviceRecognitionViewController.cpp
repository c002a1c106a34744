#include "recognition/DeviceRecognitionViewController.h"

namespace recognition {

DeviceRecognitionViewController::DeviceRecognitionViewController()
    : btnNext_(new QPushButton(view())), btnBack_(new QPushButton(view())) {
    btnNext_->hide();
    btnBack_->hide();
}

}  // namespace recognition
