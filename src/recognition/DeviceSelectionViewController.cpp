#include "recognition/DeviceSelectionViewController.h"

namespace recognition {

DeviceSelectionViewController::DeviceSelectionViewController() : btnNext_(new QPushButton(view())) {
    btnNext_->hide();
}

}  // namespace recognition
