// A pick on a row's pop-up or a click on its on/off pair, as a user makes it in the all-settings
// list: which field of the edit buffer takes the value, what the list couples to it, and whether
// the whole list is rebuilt.
#include "RowChangeFixture.h"

namespace settings_test {
namespace {

using R = ORVABluetoothDeviceData;
using settings::testing::Version;

constexpr Version kLatest{9, 9, 0, 0};

struct ChangeCase {
    const char* name;
    int32_t target;
    Version version;
    ListOptions options;
    const char* label;
    int row;             // -1: the row found by its label
    int state;           // the item picked, or the side clicked
    int32_t (*read)(const R& edit, const R& record);
    int32_t expected;
    bool rebuilt;
    void (*prepare)(R& record) = nullptr;
};

void PrintTo(const ChangeCase& c, std::ostream* os) { *os << c.name; }

class RowChanges : public RowChangeTest, public ::testing::WithParamInterface<ChangeCase> {
protected:
    void run(bool popUp) {
        const ChangeCase& c = GetParam();
        openList(c.target, c.version, c.options);
        if (c.prepare) c.prepare(record());
        showPage();
        const int row = c.row >= 0 ? c.row : rowOf(c.label);
        ASSERT_GE(row, 0) << "no row " << c.label;
        ASSERT_EQ(cell(row)->textField()->text().toStdString(), c.label);
        const int rows = table()->rowCount();
        const auto before = cells();
        if (popUp) {
            ASSERT_NE(cell(row)->popUpBtn, nullptr);
            pick(row, c.state);
        } else {
            ASSERT_NE(cell(row)->radiobtn, nullptr);
            click(row, c.state);
        }
        EXPECT_EQ(c.read(edit(), record()), c.expected);
        EXPECT_EQ(rebuiltSince(before), c.rebuilt);
        EXPECT_EQ(table()->rowCount(), rows);
    }
};

class PopUpChanges : public RowChanges {};
class OnOffChanges : public RowChanges {};

TEST_P(PopUpChanges, StoreThePickInTheFieldTheRowShows) { run(true); }
TEST_P(OnOffChanges, StoreTheClickAndItsCouplings) { run(false); }

#define READ(expr) [](const R& e, const R& rec) -> int32_t { (void)e, (void)rec; return expr; }
#define PREP(...) [](R & r) { __VA_ARGS__; }

INSTANTIATE_TEST_SUITE_P(
    Rows, PopUpChanges,
    ::testing::Values(
        ChangeCase{"Speakers_0x3210_storesIndexPlus8AndRebuilds", 0x3210, kLatest, {3, -1}, "Speakers", -1, 1,
                   READ(e.GetBasicSetting50SpeakerAccessorySelect()), 9, true},
        ChangeCase{"SmartVolume_0x2030_Ferrik", 0x2030, kLatest, {}, "Smart Volume Control", -1, 2,
                   READ(e.getBasicSettingFERRIKSmartVolumeControl()), 2, false},
        ChangeCase{"SmartVolume_0x5410_YelvarSlot0", 0x5410, {2, 0}, {}, "Smart Volume Control", -1, 2,
                   READ(e.basicSettingYELVARSmartVolumeControlAt(0)), 2, false},
        ChangeCase{"SmartVolume_0x3110_GessaAgc", 0x3110, kLatest, {}, "Smart Volume Control", -1, 2,
                   READ(e.GetBasicSettingGESSAAGCSensitivity()), 2, false},
        ChangeCase{"SmartVolume_0x5424_YelvarSlot0", 0x5424, kLatest, {}, "Smart Volume Control", -1, 2,
                   READ(e.basicSettingYELVARSmartVolumeControlAt(0)), 2, false},
        ChangeCase{"OverlaySensitivity_0x4210_tenMinus", 0x4210, kLatest, {}, "Intercom-audio Overlay Sensi...", -1, 3,
                   READ(e.getBasicSettingFERRIKAudioMultitaskingSensitivity()), 7, false},
        ChangeCase{"OverlaySensitivity_0x3210_plusOne", 0x3210, kLatest, {}, "Intercom-audio Overlay Sensi...", -1, 3,
                   READ(e.GetBasicSettingGESSAAudioOverlaySensitivity()), 4, false},
        ChangeCase{"OverlaySensitivity_0x6838_index", 0x6838, kLatest, {}, "Intercom-audio Overlay Sensi...", -1, 3,
                   READ(e.GetBasicSettingAirohaIntercomAudioOverlaySensitivity()), 3, false},
        ChangeCase{"Volume_0x3560_slot1", 0x3560, {1, 4, 0, 3}, {}, "Volume", -1, 2,
                   READ(e.basicSettingAlventoVolumeAt(1)), 10, false},
        ChangeCase{"Channel_0x3560_slot0", 0x3560, {1, 4, 0, 3}, {}, "Channel", -1, 2,
                   READ(e.basicSettingAlventoChannelAt(0)), 3, false},
        ChangeCase{"ChannelSetting_0x3128_plusOne", 0x3128, kLatest, {}, "Channel Setting", -1, 2,
                   READ(e.GetBasicSettingPEMVIKPumeliMeshPublicChannel()), 3, false},
        ChangeCase{"ChannelSelect_0x3161_index", 0x3161, kLatest, {}, "Channel Select", -1, 2,
                   READ(e.GetBasicSettingLenvoraMeshPublicChannel()), 2, false},
        ChangeCase{"MotionSensor_0x4210_plusOne", 0x4210, kLatest, {3, 0, 0, 5}, "Motion Sensor Sensitivity", -1, 1,
                   READ(e.getBasicSettingFERRIKMotionSensorSensitivity()), 2, false},
        ChangeCase{"HeadsetLanguage_0x5440_dunvikWithItsId", 0x5440, kLatest, {}, "Headset Language", -1, 3,
                   READ(e.GetBasicSettingdunvikUnitLanguage(0x5440)), 3, false},
        ChangeCase{"HeadsetLanguage_0x6811_packOfTheRecord", 0x6811, kLatest, {}, "Headset Language", -1, 1,
                   READ(e.GetBasicSettingAirohaUnitLanguageCELVAR8R(rec.devicelanguagePackType())), 1, false,
                   PREP(r.setDevicelanguagePackType(2))},
        ChangeCase{"UnitLanguage_0x3140_gessa", 0x3140, kLatest, {}, "Unit Language", -1, 4,
                   READ(e.GetBasicSettingGESSAUnitLanguage()), 4, false},
        ChangeCase{"PhotoMode_0x5510_at1_5_row7", 0x5510, {1, 5}, {}, "Photo Mode", 7, 1,
                   READ(e.getBasicSettingTAVRINCameraPhotoMode()), 1, false},
        ChangeCase{"PhotoMode_0x5510_at2_0_row8", 0x5510, {2, 0}, {}, "Photo Mode", 8, 1,
                   READ(e.getBasicSettingTAVRINCameraPhotoMode()), 1, false},
        ChangeCase{"PhotoMode_0x5510_at3_0_row11", 0x5510, {3, 0}, {}, "Photo Mode", 11, 1,
                   READ(e.getBasicSettingTAVRINCameraPhotoMode()), 1, false},
        ChangeCase{"AudioSourcePriority_0x5510_at3_0_row4", 0x5510, {3, 0}, {}, "Audio Source Priority", 4, 1,
                   READ(e.audioSourcePriority()), 1, false},
        ChangeCase{"Microphone_0x3570_slot2_plus8", 0x3570, {1, 4, 0, 3}, {}, "Microphone sensitivity", -1, 1,
                   READ(e.basicSettingAlventoMicrophoneAt(2)), 9, false}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Rows, OnOffChanges,
    ::testing::Values(
        ChangeCase{"HDIntercomOn_0x3210_clearsMultitasking", 0x3210, kLatest, {}, "HD Intercom", -1, 0,
                   READ(e.GetBasicSettingGESSAHDIntercom() * 10 + e.GetBasicSettingGESSAAudioOverlay()), 10, true,
                   PREP(r.SetBasicSettingGESSAAudioOverlay(1); r.SetBasicSettingGESSAHDIntercom(0))},
        ChangeCase{"HDIntercomOff_0x3210_clearsNothing", 0x3210, kLatest, {}, "HD Intercom", -1, 1,
                   READ(e.GetBasicSettingGESSAHDIntercom() * 10 + e.GetBasicSettingGESSAAudioOverlay()), 1, true,
                   PREP(r.SetBasicSettingGESSAAudioOverlay(1); r.SetBasicSettingGESSAHDIntercom(1))},
        ChangeCase{"HDVoiceOn_0x3210_clearsMultitasking", 0x3210, kLatest, {}, "HD Voice", -1, 0,
                   READ(e.GetBasicSettingLUTRAHDVoice() * 10 + e.GetBasicSettingGESSAAudioOverlay()), 10, true,
                   PREP(r.SetBasicSettingGESSAAudioOverlay(1); r.SetBasicSettingLUTRAHDVoice(0))},
        ChangeCase{"MultitaskingOn_0x3210_clearsHDIntercomAndVoice", 0x3210, kLatest, {},
                   "Bluetooth Intercom Audio Multitasking™", -1, 0,
                   READ(e.GetBasicSettingGESSAAudioOverlay() * 100 + e.GetBasicSettingGESSAHDIntercom() * 10 +
                        e.GetBasicSettingLUTRAHDVoice()),
                   100, true,
                   PREP(r.SetBasicSettingGESSAAudioOverlay(0); r.SetBasicSettingGESSAHDIntercom(1);
                        r.SetBasicSettingLUTRAHDVoice(1))},
        ChangeCase{"MultitaskingOn_0x3110_clearsNothing", 0x3110, kLatest, {},
                   "Bluetooth Intercom Audio Multitasking™", -1, 0,
                   READ(e.GetBasicSettingGESSAAudioOverlay() * 10 + e.GetBasicSettingGESSAHDIntercom()), 11, true,
                   PREP(r.SetBasicSettingGESSAAudioOverlay(0); r.SetBasicSettingGESSAHDIntercom(1))},
        ChangeCase{"HDIntercom_0x5410_onlyThatSetting", 0x5410, {2, 0}, {}, "HD Intercom", -1, 0,
                   READ(e.hdIntercom() * 10 + e.audioOverlay()), 10, false,
                   PREP(r.setHdIntercom(0); r.setAudioOverlay(0))},
        ChangeCase{"SoundRecordingOn_0x5510_allSourcesOff", 0x5510, {3, 0}, {}, "Speaker Sound Recording", -1, 0,
                   READ(e.getBasicSettingTAVRINCameraSpeakerSoundRecording() * 10000 +
                        e.getBasicSettingTAVRINCameraSpeakerSoundRecordingMusic() * 1000 +
                        e.getBasicSettingTAVRINCameraSpeakerSoundRecordingFMRadio() * 100 +
                        e.getBasicSettingTAVRINCameraSpeakerSoundRecordingIntercom() * 10 +
                        e.getBasicSettingTAVRINCameraSpeakerSoundRecordingPhone()),
                   11110, true,
                   PREP(r.setBasicSettingTAVRINCameraSpeakerSoundRecording(0);
                        r.setBasicSettingTAVRINCameraSpeakerSoundRecordingMusic(0);
                        r.setBasicSettingTAVRINCameraSpeakerSoundRecordingFMRadio(0);
                        r.setBasicSettingTAVRINCameraSpeakerSoundRecordingIntercom(0);
                        r.setBasicSettingTAVRINCameraSpeakerSoundRecordingPhone(0))},
        ChangeCase{"LastSourceOff_0x5510_masterOff", 0x5510, {3, 0}, {}, "▶ Phone", -1, 1,
                   READ(e.getBasicSettingTAVRINCameraSpeakerSoundRecording() * 10 +
                        e.getBasicSettingTAVRINCameraSpeakerSoundRecordingPhone()),
                   0, true,
                   PREP(r.setBasicSettingTAVRINCameraSpeakerSoundRecording(1);
                        r.setBasicSettingTAVRINCameraSpeakerSoundRecordingMusic(0);
                        r.setBasicSettingTAVRINCameraSpeakerSoundRecordingFMRadio(0);
                        r.setBasicSettingTAVRINCameraSpeakerSoundRecordingIntercom(0);
                        r.setBasicSettingTAVRINCameraSpeakerSoundRecordingPhone(1))},
        ChangeCase{"SourceOffAnotherOn_0x5510_noRebuild", 0x5510, {3, 0}, {}, "▶ Music", -1, 1,
                   READ(e.getBasicSettingTAVRINCameraSpeakerSoundRecording() * 10 +
                        e.getBasicSettingTAVRINCameraSpeakerSoundRecordingMusic()),
                   10, false,
                   PREP(r.setBasicSettingTAVRINCameraSpeakerSoundRecording(1);
                        r.setBasicSettingTAVRINCameraSpeakerSoundRecordingMusic(1);
                        r.setBasicSettingTAVRINCameraSpeakerSoundRecordingIntercom(1))},
        ChangeCase{"AudioMultitasking_0x4210_ferrik", 0x4210, kLatest, {}, "Audio Multitasking™", -1, 0,
                   READ(e.getBasicSettingFERRIKAudioMultitasking()), 1, true,
                   PREP(r.setBasicSettingFERRIKAudioMultitasking(0))},
        ChangeCase{"AudioMultitasking_0x5424_overlay", 0x5424, kLatest, {}, "Audio Multitasking™", -1, 0,
                   READ(e.audioOverlay()), 1, true, PREP(r.setAudioOverlay(0))},
        ChangeCase{"AudioOverlay_0x5410_at1_0_noRebuild", 0x5410, {1, 0}, {}, "Audio Overlay™", -1, 0,
                   READ(e.audioOverlay()), 1, false, PREP(r.setAudioOverlay(0))},
        ChangeCase{"AudioOverlay_0x5410_at1_1_rebuilds", 0x5410, {1, 1}, {}, "Audio Overlay™", -1, 0,
                   READ(e.audioOverlay()), 1, true, PREP(r.setAudioOverlay(0))},
        ChangeCase{"OverlayVolume_0x2030_navigation", 0x2030, kLatest, {}, "Audio Overlay Volume Management", -1, 0,
                   READ(e.getBasicSettingFERRIKNavigationAppOverlay()), 1, false,
                   PREP(r.setBasicSettingFERRIKNavigationAppOverlay(0))},
        ChangeCase{"OverlayVolume_0x3210_storedInverted", 0x3210, kLatest, {}, "Audio Overlay Volume Management", -1,
                   0, READ(e.basicSettingFERRIK(1) >> 6 & 1), 1, false,
                   PREP(r.SetBasicSettingGESSAAudioOverlayVolumeManagement(1))},
        ChangeCase{"VoxPhone_0x6839_airoha", 0x6839, kLatest, {}, "VOX Phone", -1, 0,
                   READ(e.GetBasicSettingAirohaVOXPhone()), 1, false, PREP(r.SetBasicSettingAirohaVOXPhone(0))},
        ChangeCase{"VoxPhone_0x6814_airoha", 0x6814, kLatest, {}, "VOX Phone", -1, 0,
                   READ(e.GetBasicSettingAirohaVOXPhone() * 10 + e.handsfreeVOX()), 10, false,
                   PREP(r.SetBasicSettingAirohaVOXPhone(0); r.setHandsfreeVOX(0))},
        ChangeCase{"HDSpeakerAccessory_0x3215_gessa", 0x3215, kLatest, {}, "HD Speaker Accessory", -1, 0,
                   READ(e.GetBasicSettingGESSAHDSpeakerAccessory()), 1, true,
                   PREP(r.SetBasicSettingGESSAHDSpeakerAccessory(0))}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- picks and clicks that store nothing ---------------------------------------------------------------

TEST_F(RowChangeTest, AControlNoLongerInTheTableOnlyRefreshes) {
    openList(0x3210, kLatest, {3, -1});
    showPage();
    const int speakers = rowOf("Speakers");
    ASSERT_GE(speakers, 0);
    settings::PopUpButton* stale = cell(speakers)->popUpBtn;
    page->reloadAllSettingsRows();  // its cell leaves the table
    EXPECT_EQ(page->rowForView(stale), -1);
    EXPECT_EQ(page->rowForView(nullptr), -1);
    page->btnDeviceAllSettingsBasicSave->setEnabled(true);
    const auto before = cells();
    stale->chooseItemAtIndex(1);
    EXPECT_FALSE(page->isSettingsChanged());
    EXPECT_FALSE(rebuiltSince(before));
    EXPECT_FALSE(page->btnDeviceAllSettingsBasicSave->isEnabled()) << "the refresh ran";
}

// While a save runs the change action refuses; the reload and the refresh still run, so the
// "Speakers" pop-up shows the stored accessory again and a coupling stores nothing.
TEST_F(RowChangeTest, APickOrClickWhileProcessingStoresNothingButStillReloadsAndRefreshes) {
    openList(0x3210, kLatest, {3, -1});
    record().SetBasicSettingGESSAHDIntercom(1);
    record().SetBasicSettingGESSAAudioOverlay(1);
    showPage();
    const int speakers = rowOf("Speakers");
    ASSERT_GE(speakers, 0);
    const int shownBefore = cell(speakers)->popUpBtn->indexOfSelectedItem();
    controller->setOnProcessing(true);
    page->btnDeviceAllSettingsBasicSave->setEnabled(true);
    auto before = cells();
    pick(speakers, shownBefore == 1 ? 2 : 1);
    EXPECT_FALSE(page->isSettingsChanged());
    EXPECT_TRUE(rebuiltSince(before));
    EXPECT_EQ(cell(speakers)->popUpBtn->indexOfSelectedItem(), shownBefore);
    EXPECT_FALSE(page->btnDeviceAllSettingsBasicSave->isEnabled()) << "the refresh ran";

    before = cells();
    click(rowOf("HD Intercom"), 0);
    EXPECT_FALSE(page->isSettingsChanged()) << "no coupling while a save runs";
    EXPECT_TRUE(rebuiltSince(before));
    controller->setOnProcessing(false);
}

// Every shown row of the models without their own on/off changes in the list: 0x6839's three
// reach the actions that 0x6838's reach, the others show no rows at all.
TEST_F(RowChangeTest, TheOnOffRowsOf0x6839ActAsThoseOf0x6838) {
    for (int32_t id : {0x6828, 0x6A01, 0x6A02, 0x6A03, 0x6A04}) {
        openList(id, kLatest);
        showPage();
        EXPECT_EQ(table()->rowCount(), 0) << id;
    }
    openList(0x6839, kLatest);
    showPage();
    using P = settings::DeviceSettingsViewController;
    const std::pair<const char*, P::ChangeMember> rows[] = {
        {"VOX Phone", &P::changeHVOX}, {"Voice Prompt", &P::changeVoicePrompt}, {"Mesh Reach-Out", &P::changeMeshReachOut}};
    for (const auto& [label, action] : rows) {
        const int row = rowOf(label);
        ASSERT_GE(row, 0) << label;
        EXPECT_TRUE(page->allSettingsChangeFor(row) == action) << label;
        for (int side : {1, 0, 1}) {
            click(row, side);
            EXPECT_EQ(settings::cellForRow(page->listInputs(), row)->selectedColumn, side) << label;
        }
    }
}

}  // namespace
}  // namespace settings_test
