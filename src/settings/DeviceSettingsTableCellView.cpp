#include "settings/DeviceSettingsTableCellView.h"

#include <algorithm>

namespace settings {

DeviceSettingsTableCellView::DeviceSettingsTableCellView(const QString& identifier, QWidget* parent)
    : QWidget(parent), identifier_(identifier), textField_(new ElidedLabel(this)) {
    setMinimumHeight(28);
    textField_->setGeometry(6, 3, 250, 22);
    infoOnOffBtn = new QPushButton("?", this);
    infoOnOffBtn->setGeometry(258, 3, 24, 22);
    infoOnOffBtn->setFocusPolicy(Qt::NoFocus);
    if (identifier == kOnOffIdentifier) {
        radiobtn = new RadioMatrix(2, this);
        radiobtn->setGeometry(288, 3, 220, 22);
        enablebtn = radiobtn->cellAtRow(0, 0);
        disablebtn = radiobtn->cellAtRow(0, 1);
    } else {
        // The second information button stands over the first; the list only ever hides it.
        infoPopUpBtn = new QPushButton("?", this);
        infoPopUpBtn->setGeometry(258, 3, 24, 22);
        infoPopUpBtn->setFocusPolicy(Qt::NoFocus);
        infoPopUpBtn->hide();
        popUpBtn = new PopUpButton(this);
        popUpBtn->setGeometry(288, 3, 220, 22);
    }
}

QWidget* DeviceSettingsTableCellView::keyboardControl() const {
    if (popUpBtn) return popUpBtn;
    return radiobtn->cellAtRow(0, std::max(radiobtn->selectedColumn(), 0));
}

}  // namespace settings
