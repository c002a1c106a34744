// Which edits count as unsaved, per model and firmware: a compared value changed asks, a value the
// model does not compare never does.
#include <functional>

#include "settings/SettingsPageFixture.h"

namespace settings_test {
namespace {

using Edit = std::function<void(ORVABluetoothDeviceData&)>;

struct ChangedCase {
    const char* name;
    int32_t target, major, minor;
    Edit edit;
    bool changed;
};

void PrintTo(const ChangedCase& c, std::ostream* os) { *os << c.name; }

const Edit kPlc = [](ORVABluetoothDeviceData& d) { d.setPlc(d.plc() ? 0 : 1); };
const Edit kIntercomVOX = [](ORVABluetoothDeviceData& d) { d.setIntercomVOX(d.intercomVOX() ? 0 : 1); };
Edit basicWord(int k) {
    return [k](ORVABluetoothDeviceData& d) { d.setBasicSetting20At(k, d.basicSettingFERRIK(k) ^ 0x40); };
}
const Edit kVoxWord = [](ORVABluetoothDeviceData& d) {
    d.setBasicSettingBELMORAVOXSensitivity(1, d.basicSettingBELMORAVOXSensitivityAt(1) + 1);
};
const Edit kSmartVolumeWord = [](ORVABluetoothDeviceData& d) {
    d.setBasicSettingYELVARSmartVolumeControl(1, d.basicSettingYELVARSmartVolumeControlAt(1) + 1);
};
const Edit kCameraWord = [](ORVABluetoothDeviceData& d) {
    d.setBasicSettingTAVRINCamera(0, d.basicSettingTAVRINCameraAt(0) ^ 1);
};

class UnsavedChanges : public SettingsPageTest, public ::testing::WithParamInterface<ChangedCase> {};

TEST_P(UnsavedChanges, ComparesWhatTheModelSaves) {
    const ChangedCase& c = GetParam();
    open(c.target, c.major, c.minor);
    EXPECT_FALSE(page->isSettingsChanged());
    c.edit(edit());
    EXPECT_EQ(page->isSettingsChanged(), c.changed);
    // Save lights exactly then, on the page and on the sheet.
    page->setControls();
    EXPECT_EQ(page->btnSave->isEnabled(), c.changed);
    EXPECT_EQ(page->btnDeviceAllSettingsBasicSave->isEnabled(), c.changed);
}

INSTANTIATE_TEST_SUITE_P(
    Models, UnsavedChanges,
    ::testing::Values(
        ChangedCase{"Vox_0x4D10_below4_comparesTheVoxSettings", 0x4D10, 3, 9, kIntercomVOX, true},
        ChangedCase{"Vox_0x4D10_below4_ignoresPlc", 0x4D10, 3, 9, kPlc, false},
        ChangedCase{"Vox_0x4D10_from4_comparesTheWholeWord", 0x4D10, 4, 0, kPlc, true},
        ChangedCase{"Legacy_0x2010_settingsWord", 0x2010, 1, 0, kPlc, true},
        ChangedCase{"Legacy_0x2010_ignoresBasicWords", 0x2010, 1, 0, basicWord(2), false},
        ChangedCase{"Radio_0x5210_gain", 0x5210, 1, 0,
                    [](ORVABluetoothDeviceData& d) { d.setRadioTransmitGain(d.radioTransmitGain() + 1); }, true},
        ChangedCase{"Radio_0x5210_timeout", 0x5210, 1, 0,
                    [](ORVABluetoothDeviceData& d) { d.setAudioChannelTimeout(d.audioChannelTimeout() + 1); },
                    true},
        ChangedCase{"Radio_0x5210_ignoresPlc", 0x5210, 1, 0, kPlc, false},
        ChangedCase{"Second_0x5576_secondWord", 0x5576, 1, 0,
                    [](ORVABluetoothDeviceData& d) { d.setAutoStartRecording(d.autoStartRecording() ? 0 : 1); },
                    true},
        ChangedCase{"Second_0x5576_ignoresBasicWords", 0x5576, 1, 0, basicWord(0), false},
        ChangedCase{"Camera_0x5510_cameraWords", 0x5510, 1, 0, kCameraWord, true},
        ChangedCase{"Camera_0x5510_ignoresVoxWords", 0x5510, 1, 0, kVoxWord, false},
        ChangedCase{"Words_0x3070_basicWords", 0x3070, 1, 0, basicWord(5), true},
        ChangedCase{"Words_0x3070_ignoresVoxWords", 0x3070, 1, 0, kVoxWord, false},
        ChangedCase{"Traced_0x6042_basicWords", 0x6042, 1, 0, basicWord(1), true},
        ChangedCase{"Traced_0x6042_ignoresVoxWords", 0x6042, 1, 0, kVoxWord, false},
        ChangedCase{"Background_0x6461_volume", 0x6461, 1, 0,
                    [](ORVABluetoothDeviceData& d) { d.setBackgroundVolume(d.backgroundVolume() + 1); }, true},
        ChangedCase{"Background_0x6461_ignoresVoxWords", 0x6461, 1, 0, kVoxWord, false},
        ChangedCase{"Yorrar_0x6038_voxWords", 0x6038, 1, 0, kVoxWord, true},
        ChangedCase{"Yorrar_0x6038_ignoresSmartVolume", 0x6038, 1, 0, kSmartVolumeWord, false},
        ChangedCase{"Belmora_0x6010_voxWords", 0x6010, 1, 0, kVoxWord, true},
        ChangedCase{"Belmora_0x6010_ignoresSmartVolume", 0x6010, 1, 0, kSmartVolumeWord, false},
        ChangedCase{"Yelvar_0x5424_smartVolume", 0x5424, 1, 0, kSmartVolumeWord, true},
        ChangedCase{"Yelvar_0x5424_ignoresCamera", 0x5424, 1, 0, kCameraWord, false},
        ChangedCase{"Vox_0x5520_voxWords", 0x5520, 1, 0, kVoxWord, true},
        ChangedCase{"Vox_0x5520_ignoresBasicWords", 0x5520, 1, 0, basicWord(3), false},
        ChangedCase{"VoxSmart_0x5410_smartVolume", 0x5410, 1, 0, kSmartVolumeWord, true},
        ChangedCase{"VoxSmart_0x5410_ignoresBasicWords", 0x5410, 1, 0, basicWord(3), false},
        ChangedCase{"Banded_0x5623_at10_ignoresVoxWords", 0x5623, 1, 0, kVoxWord, false},
        ChangedCase{"Banded_0x5623_at11_voxWords", 0x5623, 1, 1, kVoxWord, true},
        ChangedCase{"Banded_0x5622_at10_smartVolume", 0x5622, 1, 0, kSmartVolumeWord, true},
        ChangedCase{"Banded_0x5622_at10_ignoresVoxWords", 0x5622, 1, 0, kVoxWord, false},
        ChangedCase{"Banded_0x5622_at11_voxWords", 0x5622, 1, 1, kVoxWord, true},
        ChangedCase{"BasicOnly_0x6838_basicWords", 0x6838, 1, 0, basicWord(2), true},
        ChangedCase{"BasicOnly_0x6838_ignoresPlc", 0x6838, 1, 0, kPlc, false},
        ChangedCase{"BasicOnly_0x3150_likeItsTwin", 0x3150, 1, 0, basicWord(1), true},
        ChangedCase{"Unnamed_0x1234_neverAsks", 0x1234, 1, 0, basicWord(1), false},
        ChangedCase{"Unnamed_0x1234_neverAsksForPlc", 0x1234, 1, 0, kPlc, false}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace settings_test
