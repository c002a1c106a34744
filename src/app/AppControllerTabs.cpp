// The settings-tab list of the three settings pages (which tabs a model has), the tab pop-up and
// the tab header's actions.
#include <QApplication>
#include <QPalette>
#include <initializer_list>
#include <utility>
#include <vector>

#include "app/MainWindow.h"
#include "app/ORVABluetoothManagerAppController.h"

namespace app {
namespace {

enum TabKind : int32_t { kBasic = 1, kSpeedDial = 2, kFMRadio = 3 };

using Tabs = std::vector<int32_t>;
using IdRange = std::pair<int32_t, int32_t>;

// One row of models that share their tabs. Rows with a version threshold give tabsFrom from
// that version on (or only above it, when strictlyAbove); fmDrops removes the FM tab from the
// list when the model reports no FM radio (flag 4).
struct TabRow {
    std::vector<IdRange> ids;
    Tabs tabs;
    bool fmDrops = false;
    int32_t major = -1, minor = 0;
    bool strictlyAbove = false;
    Tabs tabsFrom{};
};

std::vector<IdRange> ids(std::initializer_list<int32_t> single) {
    std::vector<IdRange> out;
    for (int32_t id : single) out.emplace_back(id, id);
    return out;
}

const std::vector<TabRow>& tabTable() {
    static const std::vector<TabRow> table = [] {
        std::vector<TabRow> t;
        t.push_back({ids({0x2030, 0x3030, 0x3040, 0x3060, 0x3112, 0x3114, 0x3116, 0x3118, 0x3132, 0x3134, 0x3136,
                          0x3140, 0x3146, 0x3148, 0x3154, 0x3156, 0x3170, 0x3210, 0x3212, 0x3213, 0x3214, 0x3216,
                          0x3217, 0x3218, 0x3219, 0x321A, 0x321C, 0x3232, 0x3233, 0x3240, 0x3260, 0x3264, 0x3310,
                          0x3320, 0x3330, 0x3800, 0x3900, 0x4050, 0x4310, 0x4330, 0x4410, 0x4430, 0x4510, 0x4530,
                          0x4610, 0x4D16, 0x4D85, 0x4D86, 0x5414, 0x5416, 0x5420, 0x5510, 0x5522, 0x5524, 0x5526,
                          0x5532, 0x5536, 0x5550, 0x5564, 0x5576, 0x5580, 0x5610, 0x5611, 0x5612, 0x5620, 0x5621,
                          0x5622, 0x5623, 0x5710, 0x5720, 0x5910, 0x5920, 0x6010, 0x6012, 0x6014, 0x6016, 0x6018,
                          0x6026, 0x6028, 0x6030, 0x6032, 0x6034, 0x6112, 0x6114, 0x6210, 0x6400, 0x6806}),
                     {kBasic, kSpeedDial, kFMRadio}});
        TabRow fmOptional{ids({0x3032, 0x3050, 0x3110, 0x3211, 0x3215, 0x321B, 0x3340, 0x3341, 0x3350, 0x3360,
                               0x3370, 0x3380, 0x3410, 0x3420, 0x3430, 0x3701, 0x4210, 0x5412, 0x5418, 0x5424,
                               0x5426, 0x5428, 0x5430, 0x5432, 0x5434, 0x5520, 0x5530, 0x5534, 0x5538, 0x5552,
                               0x5553, 0x5570, 0x6042, 0x6900, 0x6910}),
                          {kBasic, kSpeedDial, kFMRadio}, true};
        fmOptional.ids.emplace_back(0x5440, 0x5445);
        fmOptional.ids.emplace_back(0x5590, 0x5597);
        t.push_back(fmOptional);
        t.push_back({ids({0x2020, 0x3300, 0x4110, 0x4113, 0x4120, 0x4D06, 0x4D75, 0x4D76, 0x5011, 0x5410, 0x6000,
                          0x6020, 0x6022, 0x6024, 0x6036, 0x6110, 0x6111, 0x6120, 0x6121, 0x6420, 0x6430, 0x6440,
                          0x6450, 0x6470, 0x6500, 0x6510, 0x6800, 0x6804, 0x6805, 0x6808, 0x6810, 0x6811, 0x6812,
                          0x6815, 0x6817, 0x6821, 0x6822, 0x6825, 0x6838, 0x683A}),
                     {kBasic, kSpeedDial}});
        t.push_back({ids({0x2010, 0x2011, 0x2110, 0x2120, 0x2210, 0x2310, 0x3080, 0x3152, 0x4010, 0x4020, 0x4021,
                          0x4030, 0x4040, 0x5210, 0x6310}),
                     {kBasic}});
        t.push_back({ids({0x3070, 0x3124, 0x3126, 0x3128, 0x3144, 0x3150, 0x3161}), {kBasic, kFMRadio}, true});
        t.push_back({ids({0x3142, 0x5560, 0x5562}), {kBasic, kFMRadio}});
        t.push_back({ids({0x4111, 0x4112, 0x6600, 0x6610, 0x6700}), {kSpeedDial}});
        t.push_back({ids({0x4D10, 0x4D20, 0x4D30, 0x4D40, 0x4D50, 0x5010, 0x5020, 0x5030, 0x5060, 0x5061, 0x5070,
                          0x5080}),
                     {kBasic}, false, 4, 2, true, {kBasic, kSpeedDial}});
        t.push_back({ids({0x5040, 0x5050}), {kBasic, kFMRadio}, false, 4, 2, true, {kBasic, kSpeedDial, kFMRadio}});
        t.push_back({ids({0x4D05, 0x4D35, 0x4D55}), {kBasic}, false, 1, 2, true, {kBasic, kSpeedDial}});
        t.push_back({ids({0x4D15, 0x4D45, 0x4D65}), {kBasic, kFMRadio}, false, 1, 2, true,
                     {kBasic, kSpeedDial, kFMRadio}});
        t.push_back({ids({0x6480, 0x6481, 0x6490, 0x6491}), {kSpeedDial}, false, 1, 1, false, {kBasic, kSpeedDial}});
        t.push_back({ids({0x6460, 0x6461}), {kSpeedDial}, false, 2, 1, false, {kBasic, kSpeedDial}});
        return t;
    }();
    return table;
}

}  // namespace

void ORVABluetoothManagerAppController::SetTabDataDefaultInTabCount(int32_t* count, int32_t* tabs,
                                                                    int32_t* selected) {
    *count = 0;
    tabs[0] = tabs[1] = tabs[2] = 0;
    *selected = 0;
}

void ORVABluetoothManagerAppController::SetTabDataInTabCount(int32_t* count, int32_t* tabs, int32_t* selected,
                                                             int32_t device, int32_t major, int32_t minor,
                                                             int32_t fmRadioShowAndHide) {
    SetTabDataDefaultInTabCount(count, tabs, selected);
    for (const TabRow& row : tabTable()) {
        bool match = false;
        for (auto [lo, hi] : row.ids) match = match || (device >= lo && device <= hi);
        if (!match) continue;
        Tabs list = row.tabs;
        if (row.major >= 0) {
            int32_t cmp = device::ORVABluetoothDeviceData::compareVersionUpToMinorMajor(major, minor, row.major,
                                                                                         row.minor);
            if (row.strictlyAbove ? cmp > 0 : cmp >= 0) list = row.tabsFrom;
        }
        if (row.fmDrops && fmRadioShowAndHide == 4) std::erase(list, kFMRadio);
        *count = static_cast<int32_t>(list.size());
        for (size_t i = 0; i < list.size(); ++i) tabs[i] = list[i];
        return;
    }
}

void ORVABluetoothManagerAppController::initTabData() {
    int32_t count = 0, selected = 0;
    int32_t tabs[3] = {};
    SetTabDataDefaultInTabCount(&count, tabs, &selected);
    tabCount_ = count;
    for (int i = 0; i < 3; ++i) tabs_[static_cast<size_t>(i)] = tabs[i];
    tabIndexSelected_ = selected;
    listTabsOpened_ = false;
}

int32_t ORVABluetoothManagerAppController::tabAt(int32_t index) const {
    return index >= 0 && index < 3 ? tabs_[static_cast<size_t>(index)].load() : 0;
}

void ORVABluetoothManagerAppController::setTab(int32_t kind, int32_t index) {
    if (index >= 0 && index < 3) tabs_[static_cast<size_t>(index)] = kind;
}

int32_t ORVABluetoothManagerAppController::GetTabIndexWith(int32_t m) const {
    int32_t kind = m == 7 ? kBasic : m == 8 ? kFMRadio : m == 9 ? kSpeedDial : 0;
    if (kind == 0) return -1;
    for (int32_t i = 0; i < tabCount() && i < 3; ++i)
        if (tabAt(i) == kind) return i;
    return -1;
}

void ORVABluetoothManagerAppController::enableListTabsTo(bool enable) {
    if (!window_) return;
    MainWindow& w = *window_;
    if (!enable) {
        w.boxListTabsBox->hide();
        for (size_t i = 0; i < 3; ++i) {
            w.btnListTabs[i]->setEnabled(false);
            w.btnListTabs[i]->hide();
            w.lblListTabs[i]->hide();
        }
        return;
    }
    const bool restorePage = mode() == 6;
    const int32_t count = restorePage ? restore_->tabCount() : tabCount();
    const int32_t selected = restorePage ? restore_->tabIndexSelected() : tabIndexSelected();
    w.boxListTabsBox->show();
    w.boxListTabsBox->raise();
    for (int32_t i = 0; i < 3; ++i) {
        QPushButton* button = w.btnListTabs[static_cast<size_t>(i)];
        QLabel* label = w.lblListTabs[static_cast<size_t>(i)];
        if (i >= count) {
            button->setEnabled(false);
            button->hide();
            label->hide();
            continue;
        }
        const int32_t kind = restorePage ? restore_->tabAt(i) : tabAt(i);
        QKeySequence keys;
        auto text = device::ORVABluetoothDeviceData::getTabText(
            kind, showShortcuts(), languageManager(), [&keys](const std::string& key, uint32_t mask) {
                // Command is Ctrl here, Control is Meta.
                QString sequence;
                if (mask & 0x100000) sequence += "Ctrl+";
                if (mask & 0x20000) sequence += "Shift+";
                if (mask & 0x80000) sequence += "Alt+";
                if (mask & 0x40000) sequence += "Meta+";
                keys = QKeySequence::fromString(sequence + QString::fromStdString(key));
            });
        // The title first: a button's new title replaces its key with the title's mnemonic.
        button->setText(QString::fromStdString(text.value_or("")));
        button->setShortcut(keys);
        button->setEnabled(true);
        button->show();
        QPalette palette = label->palette();
        palette.setColor(QPalette::Window, i == selected ? QApplication::palette().color(QPalette::Highlight)
                                                         : QApplication::palette().color(QPalette::Window));
        label->setPalette(palette);
        label->show();
        button->raise();
    }
}

namespace {

void enterPageOfKind(ORVABluetoothManagerAppController& c, int32_t kind, bool otherIsFM) {
    if (kind == kBasic)
        c.setDeviceSettingsWithStatus(true);
    else if (kind == kSpeedDial)
        c.setDeviceSettingsSpeedDialWithStatus(true);
    else if (kind == kFMRadio || otherIsFM)
        c.setDeviceSettingsSecondWithStatus(true);
}

}  // namespace

void ORVABluetoothManagerAppController::moveToFirstPage(QObject*) {
    if (onProcessing()) return;
    closeOpenListTabs();
    const int32_t m = mode();
    if (m >= 7 && m <= 9) {
        if (tabCount() == 2 && tabIndexSelected() == 1) {
            tabIndexSelected_ = 0;
            enterPageOfKind(*this, tabAt(0), true);
        }
    } else if (m == 6) {
        if (restore_->tabCount() == 2 && restore_->tabIndexSelected() == 1) {
            restore_->setTabIndexSelected(0);
            setControls();
            restore_->setControls();
        }
    }
}

void ORVABluetoothManagerAppController::moveToSecondPage(QObject*) {
    if (onProcessing()) return;
    const int32_t m = mode();
    if (m >= 7 && m <= 9) {
        if (tabCount() == 2) {
            tabIndexSelected_ = 1;
            setControls();
            enterPageOfKind(*this, tabAt(1), true);
        } else if (tabCount() >= 3) {
            listTabsOpened_ = !listTabsOpened();
            setControls();
        }
    } else if (m == 6) {
        if (restore_->tabCount() == 2) {
            restore_->setTabIndexSelected(1);
            setControls();
            restore_->setControls();
        } else if (restore_->tabCount() >= 3) {
            listTabsOpened_ = !listTabsOpened();
            setControls();
        }
    }
}

void ORVABluetoothManagerAppController::changeSelectionListTabs(QObject* sender) {
    if (onProcessing()) return;
    int32_t index = -1;
    if (window_)
        for (int32_t i = 0; i < 3; ++i)
            if (sender == window_->btnListTabs[static_cast<size_t>(i)]) index = i;
    listTabsOpened_ = false;
    const int32_t m = mode();
    if (m >= 7 && m <= 9 && index >= 0 && index < tabCount() && index != tabIndexSelected()) {
        tabIndexSelected_ = index;
        const int32_t kind = tabAt(index);
        if (kind == kBasic || kind == kSpeedDial || kind == kFMRadio) {
            enterPageOfKind(*this, kind, false);
            return;
        }
    } else if (m == 6 && index >= 0 && index < restore_->tabCount() && index != restore_->tabIndexSelected()) {
        restore_->setTabIndexSelected(index);
        setControls();
        restore_->setControls();
        return;
    }
    setControls();
}

}  // namespace app
