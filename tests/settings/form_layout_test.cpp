// The fixed form's positions and values: the rows each model group places per firmware band (the
// layout table's rectangles, y growing upward in a page 270 high), the notes, the more-settings
// button and the page buttons; what stays where it stood; the value each placed control shows;
// and that no two rows a model shows ever meet.
#include <QRect>

#include "settings/FormLayout.h"
#include "settings/FormVisibility.h"
#include "settings/SettingsPageFixture.h"

namespace settings_test {
namespace {

using settings::FormRowId;
using F = FormRowId;
constexpr F kEmptySlot = F::Count;

// The layout table as the form's page measures it, transcribed apart from the code.
QRect at(double x, double y, double w, double h) { return QRect(int(x), int(270 - y - h), int(w), int(h)); }
constexpr double kLabelY[4][7] = {{226, 201, 176, 0, 115, 90, 65},
                                  {226, 201, 0, 140, 115, 90, 65},
                                  {226, 201, 176, 151, 126, 101, 76},
                                  {226, 201, 176, 151, 126, 101, 0}};
constexpr double kControlBelow[4] = {2, 2, 3, 5};
constexpr double kControlHeight[4] = {18, 18, 18, 23};
const QRect kSentinel(650, 440, 3, 3);

struct LayoutCase {
    const char* name;
    int32_t target, major, minor;
    int layout;                 // 0: the page buttons only
    std::vector<FormRowId> rows;  // from row 0; NoteEDR: the EDR note slot
    bool noteRow;
    std::optional<QRect> more;  // btnAllSettings
};
void PrintTo(const LayoutCase& c, std::ostream* os) { *os << c.name; }

class FormLayout : public SettingsPageTest {
protected:
    std::vector<QWidget*> movable() {
        std::vector<QWidget*> all = {page->lblNoteApply, page->btnNoteApply, page->btnAllSettings, page->btnDefault,
                                     page->btnCancel,    page->btnSave,      page->btnBack(),        page->btnNewDevice()};
        for (const auto& row : page->formRows()) {
            all.insert(all.end(), row.labels.begin(), row.labels.end());
            all.insert(all.end(), row.inputs.begin(), row.inputs.end());
        }
        return all;
    }
    // Every control to one place, then the form's positions: what moved, and where to.
    std::map<QWidget*, QRect> moved() {
        for (QWidget* w : movable()) w->setGeometry(kSentinel);
        page->setControlsWithData();
        std::map<QWidget*, QRect> m;
        for (QWidget* w : movable())
            if (w->geometry() != kSentinel) m[w] = w->geometry();
        return m;
    }
    std::map<QWidget*, QRect> pageButtons() {
        return {{page->btnDefault, at(282, 243, 109, 19)},
                {page->btnCancel, at(396, 243, 109, 19)},
                {page->btnBack(), at(7, 7, 140, 19)},
                {page->btnSave, at(185, 7, 155, 19)},
                {page->btnNewDevice(), at(375, 7, 140, 19)}};
    }
    const DeviceSettingsViewController::FormRow& row(FormRowId id) {
        return page->formRows()[static_cast<size_t>(id)];
    }
};

class LayoutByGroup : public FormLayout, public ::testing::WithParamInterface<LayoutCase> {};

TEST_P(LayoutByGroup, PlacesTheBandsRowsNotesAndButtons) {
    const LayoutCase& c = GetParam();
    open(c.target, c.major, c.minor);
    std::map<QWidget*, QRect> expected = pageButtons();
    const int l = c.layout - 1;
    for (size_t slot = 0; slot < c.rows.size(); ++slot) {
        const FormRowId id = c.rows[slot];
        if (id == kEmptySlot) continue;
        if (id == F::NoteEDR) {
            expected[page->lblNoteEDR] = c.layout == 1 ? at(50, 140, 424, 34) : at(50, 165, 424, 34);
            continue;
        }
        const double y = kLabelY[l][slot];
        const auto& r = row(id);
        expected[r.labels.front()] = at(50, y, 207, 17);
        const bool lastOfFirst = c.layout == 1 && slot == 6;
        if (r.inputs.size() > 1) expected[r.inputs.front()] = lastOfFirst ? at(257, 64, 19, 17) : at(257, y - 2, 19, 17);
        expected[r.inputs.back()] =
            lastOfFirst ? at(289, 64, 182, 18) : at(289, y - kControlBelow[l], 182, kControlHeight[l]);
    }
    if (c.noteRow) {
        expected[page->lblNoteApply] = at(50, 58, 424, 17);
        expected[page->btnNoteApply] = at(465, 56, 20, 17);
    }
    if (c.more) expected[page->btnAllSettings] = *c.more;
    const std::map<QWidget*, QRect> got = moved();
    for (const auto& [widget, frame] : expected) {
        auto it = got.find(widget);
        ASSERT_NE(it, got.end()) << widget->objectName().toStdString() << " did not move";
        EXPECT_EQ(it->second, frame) << (widget == page->lblNoteEDR ? "EDR note" : "");
    }
    EXPECT_EQ(got.size(), expected.size()) << "controls outside the band moved";
}

const std::vector<F> kCsrOld = {F::HandsfreeVOX, F::IntercomVOX, F::EDR, F::NoteEDR};
const std::vector<F> kFerrik = {F::HandsfreeVOX, F::Sidetone, F::MotionSensorSensitivity, F::AudioMultitasking,
                                F::AudioMultitaskingSensitivity, F::NavigationAppOverlay};
std::vector<F> plus(std::vector<F> rows, std::initializer_list<F> more) {
    rows.insert(rows.end(), more);
    return rows;
}

INSTANTIATE_TEST_SUITE_P(
    Groups, LayoutByGroup,
    ::testing::Values(
        LayoutCase{"x4D10_3_9", 0x4D10, 3, 9, 1, kCsrOld, true, {}},
        LayoutCase{"x4D10_4_0", 0x4D10, 4, 0, 1, plus(kCsrOld, {F::PLC}), true, {}},
        LayoutCase{"x4D10_4_1", 0x4D10, 4, 1, 1, plus(kCsrOld, {F::PLC, F::BitpoolRate, F::MicrophoneBoost}), true, {}},
        LayoutCase{"x4D10_4_2", 0x4D10, 4, 2, 3,
                   {F::HandsfreeVOX, F::IntercomVOX, F::EDR, F::BitpoolRate, F::MicrophoneBoost}, true, {}},
        LayoutCase{"x4D10_5_0", 0x4D10, 5, 0, 3,
                   {F::HandsfreeVOX, F::IntercomVOX, F::EDR, F::BitpoolRate, F::Sidetone, F::MicrophoneBoost}, true, {}},
        LayoutCase{"x4D20_4_1_rowSixEmpty", 0x4D20, 4, 1, 1, plus(kCsrOld, {F::PLC, F::BitpoolRate}), true, {}},
        LayoutCase{"x5060_5_0", 0x5060, 5, 0, 3,
                   {F::HandsfreeVOX, F::IntercomVOX, F::EDR, F::BitpoolRate, F::Sidetone}, true, {}},
        LayoutCase{"x5020_3_9", 0x5020, 3, 9, 1, kCsrOld, true, {}},
        LayoutCase{"x5020_4_0", 0x5020, 4, 0, 1, plus(kCsrOld, {F::PLC}), true, {}},
        LayoutCase{"x5020_4_1", 0x5020, 4, 1, 1, plus(kCsrOld, {F::PLC, F::BitpoolRate}), true, {}},
        LayoutCase{"x5070_4_2", 0x5070, 4, 2, 3, {F::HandsfreeVOX, F::IntercomVOX, F::EDR, F::BitpoolRate}, true, {}},
        LayoutCase{"x5020_5_3_noSidetone", 0x5020, 5, 3, 3, {F::HandsfreeVOX, F::IntercomVOX, F::EDR, F::BitpoolRate},
                   true, {}},
        LayoutCase{"x6000", 0x6000, 1, 0, 3, {F::HandsfreeVOX, F::EDR, F::BitpoolRate, F::Sidetone}, true, {}},
        LayoutCase{"x4D21_rowZeroEmpty", 0x4D21, 1, 0, 3, {kEmptySlot, F::Sidetone}, true, {}},
        LayoutCase{"x5011", 0x5011, 1, 0, 3, {F::HandsfreeVOX, F::IntercomVOX, F::EDR, F::BitpoolRate, F::Sidetone},
                   true, {}},
        LayoutCase{"x4040", 0x4040, 1, 0, 3, {F::Sidetone}, true, {}},
        LayoutCase{"x2020_1_0", 0x2020, 1, 0, 3,
                   {F::HandsfreeVOX, F::IntercomVOX, F::EDR, F::BitpoolRate, F::Sidetone}, true, {}},
        LayoutCase{"x2020_1_1", 0x2020, 1, 1, 3,
                   {F::HandsfreeVOX, F::IntercomVOX, F::EDR, F::BitpoolRate, F::Sidetone, F::AdvancedNoiseControl},
                   true, {}},
        LayoutCase{"x6111", 0x6111, 1, 0, 3, {F::EDR, F::BitpoolRate, F::Sidetone, F::AdvancedNoiseControl}, true, {}},
        LayoutCase{"x4112", 0x4112, 1, 0, 3, {F::EDR, F::BitpoolRate}, true, {}},
        LayoutCase{"x4120", 0x4120, 1, 0, 3,
                   {F::EDR, F::BitpoolRate, F::Sidetone, F::AdvancedNoiseControl, F::AutoGainControl}, true, {}},
        LayoutCase{"x6490_noNoteRow", 0x6490, 1, 0, 3, {F::HandsfreeVOX, F::EDR}, false, {}},
        LayoutCase{"x6430_noNoteRow", 0x6430, 1, 0, 3, {F::HandsfreeVOX}, false, {}},
        LayoutCase{"x4D05_1_1", 0x4D05, 1, 1, 2, {F::HandsfreeVOX, F::EDR, F::NoteEDR, F::PLC}, true, {}},
        LayoutCase{"x4D65_1_2", 0x4D65, 1, 2, 3, {F::HandsfreeVOX, F::EDR, F::BitpoolRate}, true, {}},
        LayoutCase{"x4D05_2_0", 0x4D05, 2, 0, 3, {F::HandsfreeVOX, F::EDR, F::BitpoolRate, F::Sidetone}, true, {}},
        LayoutCase{"x4D85", 0x4D85, 1, 0, 3, {F::HandsfreeVOX, F::EDR, F::BitpoolRate, F::Sidetone}, true, {}},
        LayoutCase{"x2310", 0x2310, 1, 0, 3, {F::HandsfreeVOX, F::EDR, F::BitpoolRate}, true, {}},
        LayoutCase{"x2120_rowZeroEmpty", 0x2120, 1, 0, 3, {kEmptySlot, F::HandsfreeVOX}, true, {}},
        LayoutCase{"x4021_rowZeroEmpty", 0x4021, 1, 0, 3, {kEmptySlot, F::HandsfreeVOX}, true, {}},
        LayoutCase{"x4210_1_0", 0x4210, 1, 0, 4,
                   {F::HandsfreeVOX, F::Sidetone, F::AudioMultitasking, F::AudioMultitaskingSensitivity}, false, {}},
        LayoutCase{"x4210_1_1", 0x4210, 1, 1, 4, kFerrik, false, {}},
        LayoutCase{"x4210_1_2", 0x4210, 1, 2, 4, kFerrik, false, at(137, 76, 250, 19)},
        LayoutCase{"x4530", 0x4530, 1, 0, 4, kFerrik, false, at(137, 76, 250, 19)},
        LayoutCase{"x3052_more", 0x3052, 1, 0, 4,
                   {F::AudioBoost, F::HandsfreeVOX, F::IntercomVOX, F::BitpoolRate, F::Sidetone,
                    F::AdvancedNoiseControl},
                   false, QRect(137, 175, 250, 19)},
        LayoutCase{"x5526_moreAfterFive", 0x5526, 1, 0, 4,
                   {F::AudioBoost, F::HandsfreeVOX, F::IntercomVOX, F::BitpoolRate, F::AdvancedNoiseControl}, false,
                   at(50, 101, 207, 17)},
        LayoutCase{"x5536_moreAfterThree", 0x5536, 1, 0, 4, {F::AudioBoost, F::BitpoolRate, F::AdvancedNoiseControl},
                   false, at(50, 151, 207, 17)},
        LayoutCase{"x3030_moreAfterTwo", 0x3030, 1, 0, 4, {F::BitpoolRate, F::AdvancedNoiseControl}, false,
                   QRect(50, 77, 207, 17)},
        LayoutCase{"x6838_pageButtonsOnly", 0x6838, 1, 0, 0, {}, false, {}},
        LayoutCase{"x4D76", 0x4D76, 1, 0, 3, {F::HandsfreeVOX, F::IntercomVOX, F::EDR, F::BitpoolRate, F::Sidetone},
                   true, {}},
        LayoutCase{"x4D16", 0x4D16, 1, 0, 3, {F::HandsfreeVOX, F::EDR, F::BitpoolRate, F::Sidetone}, true, {}}),
    [](const auto& info) { return std::string(info.param.name); });

// The apply note of a CSR headset in every language: its text stops short of its "?" button (in
// French, Dutch and Russian), whole where it fits, else cut with "…" and whole in its tooltip; the
// button still shows the whole note.
TEST_F(FormLayout, TheApplyNoteNeverRunsUnderItsButton) {
    open(0x4D10, 5, 0);
    auto* note = dynamic_cast<settings::ElidedLabel*>(page->lblNoteApply);
    ASSERT_NE(note, nullptr);
    int buttons = 0;
    for (int32_t language = 0; language < 13; ++language) {
        controller->setLanguageManager(language);
        page->setControls();
        page->setControlsWithData();
        const std::string where = "language " + std::to_string(language);
        ASSERT_FALSE(note->isHidden()) << where;
        EXPECT_EQ(note->geometry(), at(50, 58, 424, 17)) << where;
        EXPECT_EQ(note->text().toStdString(), page->stringNoteApply()) << where;
        if (!page->btnNoteApply->isHidden()) {
            ++buttons;
            const QRect text = note->contentsRect().translated(note->pos());
            EXPECT_FALSE(text.intersects(page->btnNoteApply->geometry())) << where;
        }
        expectWholeOrElided(*note, where);
    }
    EXPECT_EQ(buttons, 3);
    controller->setLanguageManager(0);
}

TEST_F(FormLayout, GainAndTimeOutShowTheirValuesWhereTheyStand) {
    open(0x5210);
    edit().setRadioTransmitGain(17);
    edit().setAudioChannelTimeout(25);
    std::map<QWidget*, QRect> expected = pageButtons();
    expected[page->lblNoteApply] = at(50, 58, 424, 17);
    expected[page->btnNoteApply] = at(465, 56, 20, 17);
    EXPECT_EQ(moved(), expected);
    EXPECT_EQ(page->radioRTG->selectedColumn(), 2);
    EXPECT_EQ(page->tfACT->intValue(), 25);
    EXPECT_EQ(page->stepperACT->floatValue(), 25);
}

TEST_F(FormLayout, AModelInNoGroupAndAFirmwareManagementCodeChangeNothing) {
    for (int32_t target : {0x1234, 0xCD10, 0xE020}) {
        open(target);
        page->radioHandsfreeVOX->selectCellAtRow(0, 1);
        edit().setHandsfreeVOX(1);
        EXPECT_TRUE(moved().empty()) << std::hex << target;
        EXPECT_EQ(page->radioHandsfreeVOX->selectedColumn(), 1) << std::hex << target;
    }
}

TEST_F(FormLayout, TheBandIsTheHeadsetsEvenAfterDefault) {
    open(0x4D10, 3, 9);
    edit().setDeviceVersionMajor(5, 0);
    page->changeToDefault(page->btnDefault);
    EXPECT_EQ(page->lblNoteEDR->geometry(), at(50, 140, 424, 34));
    EXPECT_EQ(page->radioEDR->selectedColumn(), page->dataDefault().edr() != 0 ? 0 : 1);
}

struct ValueCase {
    const char* name;
    int32_t target, major, minor;
    void (*store)(ORVABluetoothDeviceData&);
    int (*selected)(DeviceSettingsViewController&);
    int expected;  // -1: nothing selected
};
void PrintTo(const ValueCase& c, std::ostream* os) { *os << c.name; }

class ValuesShown : public FormLayout, public ::testing::WithParamInterface<ValueCase> {};

TEST_P(ValuesShown, SelectTheStoredValueWithoutAnyAction) {
    const ValueCase& c = GetParam();
    open(c.target, c.major, c.minor);
    c.store(record());
    c.store(edit());
    page->setControlsWithData();
    EXPECT_EQ(c.selected(*page), c.expected);
    EXPECT_FALSE(page->isSettingsChanged());
    EXPECT_FALSE(boxOpen());
}

#define STORE(...) [](ORVABluetoothDeviceData & r) { __VA_ARGS__; }
#define COLUMN(outlet) [](DeviceSettingsViewController& p) { return p.outlet->selectedColumn(); }
#define ITEM(outlet) [](DeviceSettingsViewController& p) { return p.outlet->indexOfSelectedItem(); }

INSTANTIATE_TEST_SUITE_P(
    Fields, ValuesShown,
    ::testing::Values(
        ValueCase{"edr1_below4_on", 0x4D10, 3, 9, STORE(r.setEdr(1)), COLUMN(radioEDR), 0},
        ValueCase{"edr1_from4_off", 0x4D10, 4, 0, STORE(r.setEdr(1)), COLUMN(radioEDR), 1},
        ValueCase{"edr0_below4_off", 0x5020, 3, 9, STORE(r.setEdr(0)), COLUMN(radioEDR), 1},
        ValueCase{"edr0_from4_on", 0x4D10, 4, 0, STORE(r.setEdr(0)), COLUMN(radioEDR), 0},
        ValueCase{"edr1_otherGroup_off", 0x2010, 1, 0, STORE(r.setEdr(1)), COLUMN(radioEDR), 1},
        ValueCase{"edrGessa_nonZeroOff", 0x4D76, 1, 0, STORE(r.SetBasicSettingEDR(1)), COLUMN(radioEDR), 1},
        ValueCase{"handsfreeVOX2_on", 0x4D10, 5, 0, STORE(r.setHandsfreeVOX(2)), COLUMN(radioHandsfreeVOX), 0},
        ValueCase{"handsfreeVOX0_off", 0x6430, 1, 0, STORE(r.setHandsfreeVOX(0)), COLUMN(radioHandsfreeVOX), 1},
        ValueCase{"intercomVoxGessa_on", 0x4D76, 1, 0, STORE(r.SetBasicSettingGESSAVOXIntercom(1)),
                  COLUMN(radioIntercomVOX), 0},
        ValueCase{"audioBoost1_off", 0x3052, 1, 0, STORE(r.setAudioBoost(1)), COLUMN(radioAudioBoost), 1},
        ValueCase{"noiseControl0_on", 0x4120, 1, 0, STORE(r.setAdvancedNoiseControl(0)),
                  COLUMN(radioAdvancedNoiseControl), 0},
        ValueCase{"autoGain1_off", 0x4120, 1, 0, STORE(r.setAutoGainControl(1)), COLUMN(radioAutoGainControl), 1},
        ValueCase{"microphoneBoost1_on", 0x4D30, 4, 1, STORE(r.setMicrophoneBoost(1)),
                  COLUMN(radioMicrophoneBoost), 0},
        ValueCase{"plc1_on", 0x4D05, 1, 1, STORE(r.setPlc(1)), COLUMN(radioPLC), 0},
        ValueCase{"gain12", 0x5210, 1, 0, STORE(r.setRadioTransmitGain(12)), COLUMN(radioRTG), 0},
        ValueCase{"gain13", 0x5210, 1, 0, STORE(r.setRadioTransmitGain(13)), COLUMN(radioRTG), 1},
        ValueCase{"gain16", 0x5210, 1, 0, STORE(r.setRadioTransmitGain(16)), COLUMN(radioRTG), 1},
        ValueCase{"gain17", 0x5210, 1, 0, STORE(r.setRadioTransmitGain(17)), COLUMN(radioRTG), 2},
        ValueCase{"gain20", 0x5210, 1, 0, STORE(r.setRadioTransmitGain(20)), COLUMN(radioRTG), 1},
        ValueCase{"overlayLevel10_firstItem", 0x4310, 1, 0, STORE(r.setBasicSettingFERRIKAudioMultitaskingSensitivity(10)),
                  ITEM(popUpAudioMultitaskingSensitivity), 0},
        ValueCase{"overlayLevel1_lastItem", 0x4310, 1, 0, STORE(r.setBasicSettingFERRIKAudioMultitaskingSensitivity(1)),
                  ITEM(popUpAudioMultitaskingSensitivity), 9},
        ValueCase{"overlayLevel0_none", 0x4310, 1, 0, STORE(r.setBasicSettingFERRIKAudioMultitaskingSensitivity(0)),
                  ITEM(popUpAudioMultitaskingSensitivity), -1},
        ValueCase{"overlayLevel11_none", 0x4310, 1, 0, STORE(r.setBasicSettingFERRIKAudioMultitaskingSensitivity(11)),
                  ITEM(popUpAudioMultitaskingSensitivity), -1},
        ValueCase{"motionLevel1_firstItem", 0x4310, 1, 0, STORE(r.setBasicSettingFERRIKMotionSensorSensitivity(1)),
                  ITEM(popUpMotionSensorSensitivity), 0},
        ValueCase{"motionLevel3_high", 0x4210, 1, 1, STORE(r.setBasicSettingFERRIKMotionSensorSensitivity(3)),
                  ITEM(popUpMotionSensorSensitivity), 2},
        ValueCase{"motionLevel4_none", 0x4310, 1, 0, STORE(r.setBasicSettingFERRIKMotionSensorSensitivity(4)),
                  ITEM(popUpMotionSensorSensitivity), -1},
        ValueCase{"motionLevelHuge_none", 0x4310, 1, 0,
                  STORE(r.setBasicSettingFERRIKMotionSensorSensitivity(0x7FFFFFFF)),
                  ITEM(popUpMotionSensorSensitivity), -1},
        ValueCase{"ferrikNavigation_on", 0x4610, 1, 0, STORE(r.setBasicSettingFERRIKNavigationAppOverlay(1)),
                  COLUMN(radioNavigationAppOverlay), 0}),
    [](const auto& info) { return std::string(info.param.name); });

// Rows that the layout places nowhere for some models keep positions of their own: whatever a
// model shows on either system, no two of its rows, notes or buttons meet, and all lie in the
// page. The meetings the layout table itself draws are left as they are: row 6 of the oldest CSR
// layout over the note row (one band of three models), and the 23-point controls of the list
// models' layout one point into Default and Cancel.
TEST_F(FormLayout, NoTwoShownRowsMeetOnAnyModel) {
    settings::ModelIds ids = settings::listSetIds();
    for (int32_t id : {0x2010, 0x2011, 0x2110, 0x2210, 0x2310, 0x4010, 0x4020, 0x4030, 0x2020, 0x2120, 0x4021, 0x4040,
                       0x4D21, 0x4110, 0x4120, 0x4D05, 0x4D06, 0x4D15, 0x4D16, 0x4D86, 0x4D10, 0x4D30, 0x4D20, 0x5010,
                       0x4D75, 0x4D76, 0x5011, 0x4D85, 0x6000, 0x5020, 0x5070, 0x5210, 0x6110, 0x6420, 0x6430, 0x1234,
                       0xE020})
        ids.push_back(id);
    const std::vector<std::pair<int32_t, int32_t>> versions = {{1, 0}, {1, 1}, {1, 2}, {2, 0}, {3, 9},
                                                               {4, 0}, {4, 1}, {4, 2}, {5, 0}};
    const std::vector<int32_t> banded = {0x2020, 0x4D05, 0x4D06, 0x4D10, 0x4D20, 0x5020, 0x4210};
    for (const auto& [primary, secondary] : std::vector<std::pair<int32_t, int32_t>>{{11, 5}, {10, 6}}) {
        controller->setOsVersion(primary, secondary);
        for (int32_t id : ids) {
            for (const auto& [major, minor] : versions) {
                if (!settings::containsId(banded, id) && (major != 1 || minor != 0)) continue;
                open(id, major, minor);
                std::vector<std::vector<QWidget*>> groups;
                for (const auto& row : page->formRows()) {
                    std::vector<QWidget*> g = row.labels;
                    g.insert(g.end(), row.inputs.begin(), row.inputs.end());
                    groups.push_back(g);
                }
                groups.push_back({page->lblNoteApply, page->btnNoteApply});
                for (QWidget* w : std::initializer_list<QWidget*>{page->btnDefault, page->btnCancel, page->btnSave,
                                                                  page->btnBack(), page->btnNewDevice(),
                                                                  page->btnAllSettings})
                    groups.push_back({w});
                const size_t noteRow = page->formRows().size();
                const size_t micRow = static_cast<size_t>(F::MicrophoneBoost);
                const bool drawnOver = (id == 0x4D10 || id == 0x4D30) && major == 4 && minor == 1;
                for (size_t a = 0; a < groups.size(); ++a) {
                    for (QWidget* wa : groups[a]) {
                        if (wa->isHidden()) continue;
                        EXPECT_TRUE(QRect(0, 0, 719, 464).contains(wa->geometry()))
                            << std::hex << id << std::dec << " " << major << "." << minor << " group " << a;
                        for (size_t b = a + 1; b < groups.size(); ++b) {
                            if (drawnOver && a == micRow && b == noteRow) continue;
                            for (QWidget* wb : groups[b]) {
                                const QRect meet = wa->geometry() & wb->geometry();
                                const bool intoTopButton = (wb == page->btnDefault || wb == page->btnCancel) &&
                                                           meet.height() <= 1;
                                EXPECT_FALSE(!wb->isHidden() && !meet.isEmpty() && !intoTopButton)
                                    << std::hex << id << std::dec << " " << major << "." << minor << " on " << primary
                                    << "." << secondary << ": groups " << a << " and " << b;
                            }
                        }
                    }
                }
            }
        }
    }
}

}  // namespace
}  // namespace settings_test
