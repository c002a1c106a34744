// The getter table: read() answers as the record's own getter with its argument, and the values
// a getter's field holds come from the field table.
#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "device/SettingGetters.h"

namespace {

using device::GetterArgument;
using device::SettingGetter;
using R = device::ORVABluetoothDeviceData;

TEST(SettingGetters, ReadAnswersAsTheRecordsGetterWithItsArgument) {
    R r;
    r.setAudioBoost(7);
    r.SetBasicSettingAirohaVoxSensitivity(3);
    r.setBasicSettingBELMORAVOXSensitivity(0, 4);
    r.setBasicSettingBELMORAVOXSensitivity(1, 2);
    r.setDevicelanguagePackType(0);
    r.SetBasicSettingAirohaUnitLanguage(8);  // slot 8: language 7 under pack type 0
    struct Case {
        const char* name;
        SettingGetter getter;
        int32_t argument;
        int32_t expected;
        GetterArgument takes;
    };
    const Case cases[] = {
        {"plain property", SettingGetter::audioBoost, 0, 7, GetterArgument::None},
        {"Airoha field", SettingGetter::GetBasicSettingAirohaVoxSensitivity, 0, 3, GetterArgument::None},
        {"slot 0", SettingGetter::basicSettingBELMORAVOXSensitivityAt, 0, 4, GetterArgument::Slot},
        {"slot 1", SettingGetter::basicSettingBELMORAVOXSensitivityAt, 1, 2, GetterArgument::Slot},
        {"pack type 0", SettingGetter::GetBasicSettingAirohaUnitLanguageCELVAR8R, 0, 7, GetterArgument::LanguagePackType},
        {"pack type 2", SettingGetter::GetBasicSettingAirohaUnitLanguageCELVAR8R, 2, 8, GetterArgument::LanguagePackType},
        {"product id", SettingGetter::GetBasicSettingdunvikUnitLanguage, 0x3340, r.GetBasicSettingdunvikUnitLanguage(0x3340),
         GetterArgument::ProductId},
        {"constant", SettingGetter::GetBasicSettingPhoneOnOkemba, 0, 1, GetterArgument::None},
        {"ESS status (shares word 2)", SettingGetter::getEssStatus, 0, r.getEssStatus(), GetterArgument::None},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(device::read(r, c.getter, c.argument), c.expected) << c.name;
        EXPECT_EQ(device::getterArgument(c.getter), c.takes) << c.name;
    }
    EXPECT_EQ(device::getterName(SettingGetter::GetBasicSettingAirohaUnitLanguageCELVAR8R),
              "GetBasicSettingAirohaUnitLanguageCELVAR8R");
}

TEST(SettingGetters, StoredValuesComeFromTheFieldTable) {
    struct Case {
        const char* name;
        SettingGetter getter;
        std::optional<std::vector<int32_t>> values;
    };
    const Case cases[] = {
        {"switch", SettingGetter::GetBasicSettingAirohaVOXPhone, std::vector<int32_t>{0, 1}},
        {"write-inverted switch", SettingGetter::GetBasicSettingQCCAudioOverlayVolumeManagement, std::vector<int32_t>{0, 1}},
        {"steps 0-5", SettingGetter::GetBasicSettingQCCVOXSensitivity, std::vector<int32_t>{0, 1, 2, 3, 4, 5}},
        {"accessory stored + 8", SettingGetter::GetBasicSetting50SpeakerAccessorySelect,
         std::vector<int32_t>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}},
        {"mapped levels", SettingGetter::getEssSensitivity, std::vector<int32_t>{1, 2, 3}},
        {"plain property", SettingGetter::audioBoost, std::nullopt},
        {"field unknown", SettingGetter::GetBasicSettingDUNVIKEqualizer, std::nullopt},
    };
    for (const Case& c : cases) EXPECT_EQ(device::storedValues(c.getter), c.values) << c.name;
}

}  // namespace
