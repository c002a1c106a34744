// The change actions write the model's field of the edit buffer from the sender's state, whether
// the sender is a form control or a list cell of the same kind: the expected bits per action and
// model set.
#include "settings/DeviceSettingsTableCellView.h"
#include "settings/SettingsPageFixture.h"

namespace settings_test {
namespace {

using R = ORVABluetoothDeviceData;
using P = DeviceSettingsViewController;

enum class Kind { Pair, PopUp };

struct ActionCase {
    const char* name;
    void (*action)(P&, QObject*);
    int32_t target, major, minor;
    Kind kind;
    int state;  // the column or the item chosen
    int32_t (*read)(const R&);
    int32_t expected;
    // The form's own control of that action, when the form has one.
    QObject* (*form)(P&) = nullptr;
    void (*prepare)(R& edit, R& record) = nullptr;
};

void PrintTo(const ActionCase& c, std::ostream* os) { *os << c.name; }

int32_t bit(const R& r, int word, int n) { return (r.basicSettingFERRIK(word) >> n) & 1; }
int32_t bits(const R& r, int word, int first, int width) {
    return (r.basicSettingFERRIK(word) >> first) & ((1 << width) - 1);
}

class ChangeActions : public SettingsPageTest, public ::testing::WithParamInterface<ActionCase> {
protected:
    void run(QObject* sender) {
        const ActionCase& c = GetParam();
        if (auto* m = dynamic_cast<settings::RadioMatrix*>(sender)) m->selectCellAtRow(0, c.state);
        if (auto* p = dynamic_cast<settings::PopUpButton*>(sender)) {
            while (p->numberOfItems() <= c.state) p->addItemWithTitle("item");
            p->selectItemAtIndex(c.state);
        }
        c.action(*page, sender);
        EXPECT_EQ(c.read(edit()), c.expected);
    }
    void prepare() {
        const ActionCase& c = GetParam();
        open(c.target, c.major, c.minor);
        if (c.prepare) c.prepare(edit(), record());
    }
};

TEST_P(ChangeActions, StoreTheModelsFieldFromAListCell) {
    prepare();
    if (GetParam().kind == Kind::Pair) {
        settings::DeviceSettingsTableCellView cell(settings::DeviceSettingsTableCellView::kOnOffIdentifier);
        run(cell.radiobtn);
    } else {
        settings::DeviceSettingsTableCellView cell(settings::DeviceSettingsTableCellView::kComboIdentifier);
        run(cell.popUpBtn);
    }
}

TEST_P(ChangeActions, StoreTheSameFromTheFormsControl) {
    if (!GetParam().form) GTEST_SKIP() << "the form has no control for this action";
    prepare();
    run(GetParam().form(*page));
}

#define ACT(name) [](P & p, QObject * s) { p.name(s); }
#define READ(expr) [](const R& r) -> int32_t { return expr; }
#define FORM(outlet) [](P& p) -> QObject* { return p.outlet; }
#define PREP(...) [](R & edit, R & record) { (void)edit, (void)record; __VA_ARGS__; }

INSTANTIATE_TEST_SUITE_P(
    Rows, ChangeActions,
    ::testing::Values(
        ActionCase{"HVOX_Ferrik_enable", ACT(changeHVOX), 0x4210, 1, 0, Kind::Pair, 0, READ(bit(r, 2, 15)), 1,
                   FORM(radioHandsfreeVOX), PREP(edit.setBasicSetting20At(2, 0))},
        ActionCase{"HVOX_Ferrik_disable", ACT(changeHVOX), 0x4210, 1, 0, Kind::Pair, 1, READ(bit(r, 2, 15)), 0,
                   FORM(radioHandsfreeVOX), PREP(edit.setBasicSetting20At(2, 0xFFFF))},
        ActionCase{"HVOX_Gessa", ACT(changeHVOX), 0x3110, 1, 0, Kind::Pair, 0, READ(bit(r, 0, 0)), 1, nullptr,
                   PREP(edit.setBasicSetting20At(0, 0))},
        ActionCase{"HVOX_CsrEdr", ACT(changeHVOX), 0x4D06, 1, 0, Kind::Pair, 0, READ(bit(r, 0, 0)), 1, nullptr,
                   PREP(edit.setBasicSetting20At(0, 0))},
        ActionCase{"HVOX_QccPair", ACT(changeHVOX), 0x6510, 1, 0, Kind::Pair, 0, READ(bit(r, 0, 0)), 1, nullptr,
                   PREP(edit.setBasicSetting20At(0, 0))},
        ActionCase{"HVOX_Airoha", ACT(changeHVOX), 0x6838, 1, 0, Kind::Pair, 0, READ(bit(r, 0, 0)), 1, nullptr,
                   PREP(edit.setBasicSetting20At(0, 0))},
        ActionCase{"HVOX_Other", ACT(changeHVOX), 0x2010, 1, 0, Kind::Pair, 0, READ(r.handsfreeVOX()), 1,
                   FORM(radioHandsfreeVOX), PREP(edit.setHandsfreeVOX(0))},
        ActionCase{"HVOX_NoSelectionIsOff", ACT(changeHVOX), 0x2010, 1, 0, Kind::Pair, -1, READ(r.handsfreeVOX()), 0,
                   nullptr, PREP(edit.setHandsfreeVOX(1))},
        ActionCase{"IVOX_0x4D76", ACT(changeIVOX), 0x4D76, 1, 0, Kind::Pair, 0, READ(bit(r, 0, 1)), 1, nullptr,
                   PREP(edit.setBasicSetting20At(0, 0))},
        ActionCase{"IVOX_Other", ACT(changeIVOX), 0x4D10, 4, 0, Kind::Pair, 0, READ(r.intercomVOX()), 1,
                   FORM(radioIntercomVOX), PREP(edit.setIntercomVOX(0))},
        ActionCase{"EDR_CsrEdr_enableStoresEdrOff0", ACT(changeEDR), 0x4D06, 1, 0, Kind::Pair, 0, READ(bit(r, 0, 2)),
                   0, FORM(radioEDR), PREP(edit.setBasicSetting20At(0, 4))},
        ActionCase{"EDR_CsrEdr_disable", ACT(changeEDR), 0x4D06, 1, 0, Kind::Pair, 1, READ(bit(r, 0, 2)), 1,
                   FORM(radioEDR), PREP(edit.setBasicSetting20At(0, 0))},
        ActionCase{"EDR_Vox0x4D10_at39_enableStores1", ACT(changeEDR), 0x4D10, 3, 9, Kind::Pair, 0, READ(r.edr()), 1,
                   FORM(radioEDR), PREP(edit.setEdr(0))},
        ActionCase{"EDR_Vox0x4D10_at40_enableStores0", ACT(changeEDR), 0x4D10, 4, 0, Kind::Pair, 0, READ(r.edr()), 0,
                   FORM(radioEDR), PREP(edit.setEdr(1))},
        ActionCase{"EDR_0x4D05_enableStores0", ACT(changeEDR), 0x4D05, 1, 0, Kind::Pair, 0, READ(r.edr()), 0,
                   FORM(radioEDR), PREP(edit.setEdr(1))},
        ActionCase{"EDR_0x4D05_disableStores1", ACT(changeEDR), 0x4D05, 1, 0, Kind::Pair, 1, READ(r.edr()), 1,
                   FORM(radioEDR), PREP(edit.setEdr(0))},
        ActionCase{"ANC_Ferrik_std", ACT(changeAdvancedNoiseControl), 0x4310, 1, 0, Kind::Pair, 0, READ(bit(r, 2, 8)),
                   1, FORM(radioAdvancedNoiseControl), PREP(edit.setBasicSetting20At(2, 0))},
        ActionCase{"ANC_Gessa_rev", ACT(changeAdvancedNoiseControl), 0x3116, 1, 0, Kind::Pair, 1, READ(bit(r, 0, 9)),
                   1, nullptr, PREP(edit.setBasicSetting20At(0, 0))},
        ActionCase{"ANC_Other_rev", ACT(changeAdvancedNoiseControl), 0x6110, 1, 0, Kind::Pair, 0,
                   READ(r.advancedNoiseControl()), 0, FORM(radioAdvancedNoiseControl),
                   PREP(edit.setAdvancedNoiseControl(1))},
        ActionCase{"AudioBoost_Ferrik", ACT(changeAudioBoost), 0x4610, 1, 0, Kind::Pair, 0, READ(bit(r, 2, 7)), 1,
                   nullptr, PREP(edit.setBasicSetting20At(2, 0))},
        ActionCase{"AudioBoost_Gessa_rev", ACT(changeAudioBoost), 0x3110, 1, 0, Kind::Pair, 0, READ(bit(r, 0, 10)), 0,
                   nullptr, PREP(edit.setBasicSetting20At(0, 0x400))},
        ActionCase{"AudioBoost_Airoha0x6821", ACT(changeAudioBoost), 0x6821, 1, 0, Kind::Pair, 0, READ(bit(r, 0, 7)),
                   1, nullptr, PREP(edit.setBasicSetting20At(0, 0))},
        ActionCase{"AudioBoost_Other_rev", ACT(changeAudioBoost), 0x3030, 1, 0, Kind::Pair, 1, READ(r.audioBoost()),
                   1, FORM(radioAudioBoost), PREP(edit.setAudioBoost(0))},
        ActionCase{"Sidetone_CsrEdr", ACT(changeSidetone), 0x4D16, 1, 0, Kind::Pair, 0, READ(bit(r, 0, 8)), 1,
                   nullptr, PREP(edit.setBasicSetting20At(0, 0))},
        ActionCase{"Sidetone_AirohaList", ACT(changeSidetone), 0x6828, 1, 0, Kind::Pair, 0, READ(bit(r, 0, 2)), 1,
                   nullptr, PREP(edit.setBasicSetting20At(0, 0))},
        ActionCase{"VoicePrompt_0x3150_rev", ACT(changeVoicePrompt), 0x3150, 1, 0, Kind::Pair, 1, READ(bit(r, 0, 3)),
                   1, nullptr, PREP(edit.setBasicSetting20At(0, 0))},
        ActionCase{"VoicePrompt_AirohaExtended", ACT(changeVoicePrompt), 0x6801, 1, 0, Kind::Pair, 0,
                   READ(bit(r, 0, 1)), 1, nullptr, PREP(edit.setBasicSetting20At(0, 0))},
        ActionCase{"VoicePrompt_Other_rev", ACT(changeVoicePrompt), 0x2010, 1, 0, Kind::Pair, 0,
                   READ(r.voicePrompt()), 0, nullptr, PREP(edit.setVoicePrompt(1))},
        ActionCase{"MotionSensor_iPlus1", ACT(changeMotionSensorSensitivity), 0x4210, 1, 1, Kind::PopUp, 2,
                   READ(r.basicSettingFERRIK(3)), 3, FORM(popUpMotionSensorSensitivity)},
        ActionCase{"OverlaySensitivity_Ferrik_first", ACT(changeAudioMultitaskingSensitivity), 0x4210, 1, 0,
                   Kind::PopUp, 0, READ(r.basicSettingFERRIK(0)), 10, FORM(popUpAudioMultitaskingSensitivity)},
        ActionCase{"OverlaySensitivity_Ferrik_tenth", ACT(changeAudioMultitaskingSensitivity), 0x4210, 1, 0,
                   Kind::PopUp, 9, READ(r.basicSettingFERRIK(0)), 1, FORM(popUpAudioMultitaskingSensitivity)},
        ActionCase{"OverlaySensitivity_Gessa_first", ACT(changeAudioMultitaskingSensitivity), 0x3110, 1, 0,
                   Kind::PopUp, 0, READ(bits(r, 1, 7, 3)), 1},
        ActionCase{"OverlaySensitivity_Qcc", ACT(changeAudioMultitaskingSensitivity), 0x6510, 1, 0, Kind::PopUp, 4,
                   READ(bits(r, 1, 11, 3)), 5},
        ActionCase{"OverlaySensitivity_Airoha_first", ACT(changeAudioMultitaskingSensitivity), 0x6838, 1, 0,
                   Kind::PopUp, 0, READ(bits(r, 1, 12, 4)), 0, nullptr, PREP(edit.setBasicSetting20At(1, 0xF000))},
        ActionCase{"OverlaySensitivity_Airoha_tenth", ACT(changeAudioMultitaskingSensitivity), 0x6838, 1, 0,
                   Kind::PopUp, 9, READ(bits(r, 1, 12, 4)), 9},
        ActionCase{"Channel_iPlus1", ACT(changeChannel), 0x3500, 1, 0, Kind::PopUp, 0, READ(r.basicSettingFERRIK(0)),
                   1},
        ActionCase{"Volume_iPlus8", ACT(changeVolume), 0x3500, 1, 0, Kind::PopUp, 0, READ(r.basicSettingFERRIK(1)), 8},
        ActionCase{"Microphone_iPlus8", ACT(changeMicrophone), 0x3500, 1, 0, Kind::PopUp, 2,
                   READ(r.basicSettingFERRIK(2)), 10},
        ActionCase{"MicGain_first", ACT(changeMicGain), 0x6838, 1, 0, Kind::PopUp, 0, READ(bits(r, 2, 5, 3)), 1,
                   nullptr, PREP(edit.setBasicSetting20At(2, 0))},
        ActionCase{"MicGain_second", ACT(changeMicGain), 0x6838, 1, 0, Kind::PopUp, 1, READ(bits(r, 2, 5, 3)), 3,
                   nullptr, PREP(edit.setBasicSetting20At(2, 0))},
        ActionCase{"MicGain_third", ACT(changeMicGain), 0x6838, 1, 0, Kind::PopUp, 2, READ(bits(r, 2, 5, 3)), 5,
                   nullptr, PREP(edit.setBasicSetting20At(2, 0))},
        ActionCase{"MicGain_fourthStoresNothing", ACT(changeMicGain), 0x6838, 1, 0, Kind::PopUp, 3,
                   READ(r.basicSettingFERRIK(2)), 0x1234, nullptr, PREP(edit.setBasicSetting20At(2, 0x1234))},
        ActionCase{"UnitLanguage_0x6811_packTypeOfTheHeadset", ACT(changeUnitLanguage), 0x6811, 1, 0, Kind::PopUp, 6,
                   READ(bits(r, 2, 0, 16)), 7, nullptr,
                   PREP((record.setDevicelanguagePackType(0), edit.setDevicelanguagePackType(1)))},
        ActionCase{"UnitLanguage_Sulvane", ACT(changeUnitLanguage), 0x3150, 1, 0, Kind::PopUp, 3,
                   READ(bits(r, 1, 4, 4)), 3},
        ActionCase{"UnitLanguage_OtherStoresNothing", ACT(changeUnitLanguage), 0x2010, 1, 0, Kind::PopUp, 3,
                   READ(r.compareBasicSettingFERRIKWith(R())), 0, nullptr,
                   PREP(for (int k = 0; k < 10; ++k) edit.setBasicSetting20At(k, 0))},
        ActionCase{"Equalizer_30", ACT(changeAudioEqualizer), 0x3146, 1, 0, Kind::PopUp, 2, READ(bits(r, 3, 11, 3)),
                   2},
        ActionCase{"Equalizer_Ferrik", ACT(changeAudioEqualizer), 0x4210, 1, 0, Kind::PopUp, 3,
                   READ(bits(r, 4, 12, 3)), 3},
        ActionCase{"VOXSensitivity_Gessa", ACT(changeVOXSensitivity), 0x3118, 1, 0, Kind::PopUp, 0,
                   READ(bits(r, 1, 0, 3)), 1},
        ActionCase{"VOXSensitivity_Fennic", ACT(changeVOXSensitivity), 0x6042, 1, 0, Kind::PopUp, 2,
                   READ(bits(r, 1, 9, 3)), 3},
        ActionCase{"VOXSensitivity_Airoha", ACT(changeVOXSensitivity), 0x6838, 1, 0, Kind::PopUp, 2,
                   READ(bits(r, 1, 8, 4)), 2},
        ActionCase{"VOXSensitivity_Belmora", ACT(changeVOXSensitivity), 0x6010, 1, 0, Kind::PopUp, 2,
                   READ(r.basicSettingBELMORAVOXSensitivityAt(0)), 3},
        ActionCase{"MeshPublicChannel_0x3128", ACT(changeMeshPublicChannel), 0x3128, 1, 0, Kind::PopUp, 0,
                   READ(bits(r, 3, 6, 4)), 1},
        ActionCase{"MeshPublicChannel_0x3161", ACT(changeMeshPublicChannel), 0x3161, 1, 0, Kind::PopUp, 2,
                   READ(bits(r, 1, 0, 4)), 2},
        ActionCase{"MeshReachOut_Gessa0x3110", ACT(changeMeshReachOut), 0x3110, 1, 0, Kind::Pair, 0,
                   READ(bit(r, 3, 14)), 1, nullptr, PREP(edit.setBasicSetting20At(3, 0))},
        ActionCase{"MeshReachOut_Other_rev", ACT(changeMeshReachOut), 0x3214, 1, 0, Kind::Pair, 0, READ(bit(r, 4, 9)),
                   1, nullptr, PREP(edit.setBasicSetting20At(4, 0))},
        ActionCase{"OverlayVolume_0x3142StoresNothing", ACT(changeAudioOverlayVolumeManagement), 0x3142, 1, 0,
                   Kind::Pair, 0, READ(r.basicSettingFERRIK(1)), 0x40, nullptr,
                   PREP(edit.setBasicSetting20At(1, 0x40))},
        ActionCase{"OverlayVolume_Airoha_std", ACT(changeAudioOverlayVolumeManagement), 0x6838, 1, 0, Kind::Pair, 0,
                   READ(bit(r, 0, 4)), 1, nullptr, PREP(edit.setBasicSetting20At(0, 0))},
        ActionCase{"LEDControl_0x4610", ACT(changeLEDControl), 0x4610, 1, 0, Kind::Pair, 0, READ(bit(r, 4, 15)), 1,
                   nullptr, PREP(edit.setBasicSetting20At(4, 0))},
        ActionCase{"AutoOff_0x6042", ACT(changeAutoOff), 0x6042, 1, 0, Kind::Pair, 0, READ(bit(r, 1, 12)), 1, nullptr,
                   PREP(edit.setBasicSetting20At(1, 0))},
        ActionCase{"SmartVolume_Yelvar", ACT(changeSmartVolumeControl), 0x5622, 1, 0, Kind::PopUp, 2,
                   READ(r.basicSettingYELVARSmartVolumeControlAt(0)), 2},
        ActionCase{"Camera_VideoResolution", ACT(changeVideoResolution), 0x5510, 1, 0, Kind::PopUp, 2,
                   READ((r.basicSettingTAVRINCameraAt(0) >> 2) & 3), 2},
        ActionCase{"Camera_DateCaption", ACT(changeDateCaption), 0x5510, 1, 0, Kind::Pair, 0,
                   READ((r.basicSettingTAVRINCameraAt(0) >> 5) & 1), 1},
        ActionCase{"AutoStartRecording_rev", ACT(changeAutoStartRecording), 0x5576, 1, 0, Kind::Pair, 0,
                   READ(r.autoStartRecording()), 0, nullptr, PREP(edit.setAutoStartRecording(1))},
        ActionCase{"ESSSensitivity_iPlus1", ACT(changeESSSensitivity), 0x6838, 1, 0, Kind::PopUp, 2,
                   READ(bits(r, 2, 2, 2)), 3, nullptr, PREP(edit.setBasicSetting20At(2, 0))}),
    [](const auto& info) { return std::string(info.param.name); });

// Switching the HD speaker accessory on turns audio boost off, per family; off leaves it alone.
struct AccessoryCase {
    const char* name;
    int32_t target;
    int column;
    void (*prepare)(R&);
    int32_t (*accessory)(const R&);
    int32_t (*boost)(const R&);
    int32_t accessoryAfter, boostAfter;
};

void PrintTo(const AccessoryCase& c, std::ostream* os) { *os << c.name; }

class AccessoryBoost : public SettingsPageTest, public ::testing::WithParamInterface<AccessoryCase> {};

TEST_P(AccessoryBoost, FollowsTheAccessory) {
    const AccessoryCase& c = GetParam();
    open(c.target);
    c.prepare(edit());
    settings::RadioMatrix cell(2);
    cell.selectCellAtRow(0, c.column);
    page->changeHDSpeakerAccessory(&cell);
    EXPECT_EQ(c.accessory(edit()), c.accessoryAfter);
    EXPECT_EQ(c.boost(edit()), c.boostAfter);
}

INSTANTIATE_TEST_SUITE_P(
    Families, AccessoryBoost,
    ::testing::Values(
        AccessoryCase{"Ferrik0x4210_onTurnsBoostOff", 0x4210, 0, [](R& r) { r.setBasicSetting20At(4, 0), r.setBasicSetting20At(2, 0x80); },
                      READ(bit(r, 4, 15)), READ(bit(r, 2, 7)), 1, 0},
        AccessoryCase{"Gessa0x3110_onTurnsBoostOff", 0x3110, 0, [](R& r) { r.setBasicSetting20At(3, 0), r.setBasicSetting20At(0, 0); },
                      READ(bit(r, 3, 10)), READ(bit(r, 0, 10)), 1, 1},
        AccessoryCase{"Gessa0x3110_offLeavesBoost", 0x3110, 1, [](R& r) { r.setBasicSetting20At(3, 0x400), r.setBasicSetting20At(0, 0); },
                      READ(bit(r, 3, 10)), READ(bit(r, 0, 10)), 0, 0},
        AccessoryCase{"OneModule0x5570_onTurnsBoostOff", 0x5570, 0, [](R& r) { r.setBasicSetting20At(1, 0), r.setAudioBoost(0); },
                      READ(bit(r, 1, 9)), READ(r.audioBoost()), 1, 1},
        AccessoryCase{"Gessa0x3114_storesNothing", 0x3114, 0, [](R& r) { r.setBasicSetting20At(3, 0), r.setBasicSetting20At(0, 0); },
                      READ(bit(r, 3, 10)), READ(bit(r, 0, 10)), 0, 0}),
    [](const auto& info) { return std::string(info.param.name); });

class ActionGuard : public SettingsPageTest {};

TEST_F(ActionGuard, WhileADeviceOperationRunsNothingIsStoredOrRefreshed) {
    open(0x2010);
    edit().setHandsfreeVOX(0);
    page->btnSave->setEnabled(true);
    controller->setOnProcessing(true);
    controller->setListTabsOpened(true);
    page->radioHandsfreeVOX->clickCell(0);
    EXPECT_EQ(edit().handsfreeVOX(), 0);
    EXPECT_TRUE(page->btnSave->isEnabled());
    EXPECT_TRUE(controller->listTabsOpened());
}

TEST_F(ActionGuard, AnOpenTabListIsClosedFirst) {
    open(0x2010);
    edit().setHandsfreeVOX(0);
    record().setHandsfreeVOX(0);
    controller->setListTabsOpened(true);
    page->radioHandsfreeVOX->clickCell(0);
    EXPECT_FALSE(controller->listTabsOpened());
    EXPECT_EQ(edit().handsfreeVOX(), 1);
    EXPECT_TRUE(page->btnSave->isEnabled());
}

TEST_F(ActionGuard, TheOkembaNoOpsTouchNothingNotEvenTheTabList) {
    open(0x6838);
    const R before = edit();
    controller->setListTabsOpened(true);
    settings::RadioMatrix cell(2);
    cell.selectCellAtRow(0, 1);
    page->changeFMRadioOnOkemba(&cell);
    page->changePhoneOnOkemba(&cell);
    EXPECT_TRUE(controller->listTabsOpened());
    EXPECT_EQ(edit().compareBasicSettingFERRIKWith(before), 0);
}

TEST_F(ActionGuard, VoiceAssistantAndReachOutLeaveTheRefreshToTheList) {
    open(0x6838);
    record().setBasicSetting20At(0, 0);
    edit().setBasicSetting20At(0, 0);
    page->setControls();
    settings::RadioMatrix cell(2);
    cell.selectCellAtRow(0, 0);
    page->changeMeshReachOut(&cell);
    EXPECT_TRUE(page->isSettingsChanged());
    EXPECT_FALSE(page->btnSave->isEnabled());
    page->changeVoiceAssistant(&cell);
    EXPECT_FALSE(page->btnSave->isEnabled());
    page->changeSidetone(&cell);
    EXPECT_TRUE(page->btnSave->isEnabled());
}

}  // namespace
}  // namespace settings_test
