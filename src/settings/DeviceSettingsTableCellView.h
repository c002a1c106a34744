// The view of one row of the all-settings list, in one of its two kinds: "settingsAllBasicOnOffCell"
// (label, information button, enable/disable pair) or "settingsAllBasicComboCell" (label,
// information buttons, pop-up). It only holds the outlets; the list fills them.
#pragma once

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QString>
#include <QWidget>

#include "settings/SettingsControls.h"

namespace settings {

class DeviceSettingsTableCellView : public QWidget {
public:
    static constexpr const char* kOnOffIdentifier = "settingsAllBasicOnOffCell";
    static constexpr const char* kComboIdentifier = "settingsAllBasicComboCell";

    explicit DeviceSettingsTableCellView(const QString& identifier, QWidget* parent = nullptr);

    const QString& identifier() const { return identifier_; }
    // One line, ended in "…" (whole in its tooltip) where the label is longer than its field.
    ElidedLabel* textField() const { return textField_; }
    // The control the row offers the keyboard: its pop-up or the selected side of its pair.
    QWidget* keyboardControl() const;

    QPushButton* infoOnOffBtn = nullptr;
    QPushButton* infoPopUpBtn = nullptr;  // pop-up cells only
    RadioMatrix* radiobtn = nullptr;      // on/off cells only
    QRadioButton* enablebtn = nullptr;
    QRadioButton* disablebtn = nullptr;
    PopUpButton* popUpBtn = nullptr;      // pop-up cells only

private:
    QString identifier_;
    ElidedLabel* textField_;
};

}  // namespace settings
