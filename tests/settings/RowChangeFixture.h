// The device settings page with its all-settings list loaded for one headset and its options, and
// a user's hand on the list: pick a pop-up item or click an on/off side of a shown row, and see
// whether the list was rebuilt.
#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <string>
#include <vector>

#include "ListFixture.h"
#include "SettingsPageFixture.h"
#include "settings/AllSettingsList.h"
#include "settings/DeviceSettingsTableCellView.h"

namespace settings_test {

struct ListOptions {
    int32_t fm = 3, speaker = 0, status = 0, motion = 6;
};

class RowChangeTest : public SettingsPageTest {
protected:
    // The headset as recognized with these options, and the page opened on it.
    void openList(int32_t target, settings::testing::Version v, ListOptions o = {}) {
        controller->setFmRadioShowAndHide(o.fm);
        controller->setDevice50SpeakerType(o.speaker);
        controller->setDeviceInfoStatus(o.status);
        controller->setMotionSensorShowAndHide(o.motion);
        recognize(target, v.major, v.minor);
        record().setDeviceSecondaryVersionType(v.type);
        record().setDeviceSecondaryVersion(v.secondary);
    }
    // After the test has set the headset's values: the page takes them, every row built.
    void showPage() {
        controller->setMode(7);
        page->initializeObject();
        platform::drainMainQueue();
    }

    // What the window's event loop does between two clicks: the posted events are delivered and
    // the cells a reload replaced are deleted.
    static void deliverPostedEvents() {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    QTableWidget* table() const { return page->tableViewDeviceAllSettingsBasic; }
    settings::DeviceSettingsTableCellView* cell(int row) const {
        return dynamic_cast<settings::DeviceSettingsTableCellView*>(table()->cellWidget(row, 0));
    }
    // The shown row with this English label; -1 when none.
    int rowOf(const std::string& label) const {
        for (int row = 0; row < table()->rowCount(); ++row)
            if (cell(row) && cell(row)->textField()->text().toStdString() == label) return row;
        return -1;
    }
    std::vector<QWidget*> cells() const {
        std::vector<QWidget*> all;
        for (int row = 0; row < table()->rowCount(); ++row) all.push_back(table()->cellWidget(row, 0));
        return all;
    }
    // Every cell is a new one: the list was rebuilt.
    bool rebuiltSince(const std::vector<QWidget*>& before) const {
        const std::vector<QWidget*> now = cells();
        if (now.size() != before.size()) return false;
        for (size_t i = 0; i < now.size(); ++i)
            if (now[i] == before[i]) return false;
        return true;
    }

    void pick(int row, int item) { cell(row)->popUpBtn->chooseItemAtIndex(item); }
    void click(int row, int column) { cell(row)->radiobtn->clickCell(column); }
};

}  // namespace settings_test
