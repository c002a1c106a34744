// The restore table's rows as tables: rows per model, band and FM flag, the value rules, the
// interface language, and the texts in every language.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/AppTexts.h"
#include "update/RestoreTable.h"

namespace {

using device::ORVABluetoothDeviceData;

ORVABluetoothDeviceData version(int32_t major, int32_t minor) {
    ORVABluetoothDeviceData b;
    b.setDeviceVersionMajor(major);
    b.setDeviceVersionMinor(minor);
    return b;
}

TEST(RestoreTable, RowsPerModelBandAndFMFlag) {
    struct Case {
        const char* name;
        int32_t model, major, minor;
        bool fmHidden;
        size_t rows;
        const char *first, *last;
    };
    const Case cases[] = {
        {"0x3070 FM hidden", 0x3070, 1, 0, true, 3, "Unit Language", "Sidetone"},
        {"0x3070 FM shown", 0x3070, 1, 0, false, 4, "Unit Language", "Sidetone"},
        {"0x4210 1.0", 0x4210, 1, 0, false, 4, "VOX Phone", "Intercom-audio Overlay Sensi..."},
        {"0x4210 1.1", 0x4210, 1, 1, false, 6, "VOX Phone", "Navigation App Support"},
        {"0x4210 1.2", 0x4210, 1, 2, false, 11, "Audio Multitasking™", "Advanced Noise Control™"},
        {"0x4210 1.4", 0x4210, 1, 4, false, 11, "Audio Multitasking™", "Advanced Noise Control™"},
        {"0x4210 1.5", 0x4210, 1, 5, false, 13, "Audio Multitasking™", "Advanced Noise Control™"},
        {"0x3110 2.1", 0x3110, 2, 1, false, 17, "Unit Language", "Voice Command"},
        {"0x3110 3.1", 0x3110, 3, 1, false, 18, "Unit Language", "Audio Equalizer"},
        {"0x3500 2.1", 0x3500, 2, 1, false, 0, nullptr, nullptr},
        {"0x3500 2.2", 0x3500, 2, 2, false, 1, "Channel", "Channel"},
        {"0x5510 3.0", 0x5510, 3, 0, false, 25, "Audio Boost", "Auto Camera Sleep"},
        {"0x5510 1.1", 0x5510, 1, 1, false, 22, "Audio Boost", "Auto Camera Sleep"},
        {"0x6801", 0x6801, 1, 0, false, 2, "Headset Language", "Voice Prompt"},
        {"0x3050 1.4 FM hidden", 0x3050, 1, 4, true, 1, "Voice Prompt", "Voice Prompt"},
        {"0x3360", 0x3360, 1, 0, false, 7, "VOX Phone", "Headset Language"},
        {"0x3170", 0x3170, 1, 0, false, 15, "Unit Language", "Intercom-audio Overlay Sensi..."},
        {"0x5345", 0x5345, 1, 0, false, 0, nullptr, nullptr},
        {"unknown model", 0x1234, 1, 0, false, 0, nullptr, nullptr},
    };
    for (const Case& c : cases) {
        const auto b = version(c.major, c.minor);
        const auto kinds = update::restoreRowKinds(c.model, &b, c.fmHidden);
        ASSERT_EQ(kinds.size(), c.rows) << c.name;
        if (c.rows == 0) continue;
        EXPECT_EQ(update::restoreRowLabel(kinds.front()), c.first) << c.name;
        EXPECT_EQ(update::restoreRowLabel(kinds.back()), c.last) << c.name;
    }
    const auto b = version(1, 0);
    EXPECT_EQ(update::restoreRowLabel(update::restoreRowKinds(0x3070, &b, false)[2]), "FM Station Guide");
    EXPECT_EQ(update::restoreRowKinds(0x3360, &b, false), update::restoreRowKinds(0x3350, &b, false));
    // Without a record the newest band applies.
    EXPECT_EQ(update::restoreRowKinds(0x4210, nullptr, false).size(), 13u);
}

TEST(RestoreTable, ValueRules) {
    struct Case {
        int kind;
        int32_t value;
        const char* text;
    };
    const Case cases[] = {
        {2, 0, "11"},           {2, 11, "0"},
        {65, 7, "0"},           {65, 0, "-7"},
        {17, 13, "English"},    {17, -1, "English"},
        {17, 6, "Russian"},     {90, 13, "Brazilian Portuguese"},
        {90, 11, "Norwegian"},  {60, 6, "Chinese"},
        {51, 9, "English"},     {51, 11, "Czech"},
        {57, 1, "Music"},       {57, 0, "Intercom"},
        {57, 2, "Intercom"},    {91, 3, "Disabled function"},
        {91, 0, "ESS LIGHT"},   {91, 7, "ESS LIGHT"},
        {39, 0, "CH 1 (Common)"}, {39, 8, "CH 9"},
        {39, 9, "CH 10"},       {39, -1, "-"},
        {14, 1, "Disabled"},    {14, 0, "Enabled"},
        {45, 0, "Enabled"},     {45, 1, "Disabled"},
        {1, 0, "Disabled"},     {1, 2, "Enabled"},
        {5, 0, "Disable"},      {5, 2, "Medium"},
        {5, 9, "High"},         {66, 0, "High"},
        {98, 4, "5"},           {96, 1, "0"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(update::restoreValueText(c.kind, c.value, 0), c.text) << "T" << c.kind << " " << c.value;
}

TEST(RestoreTable, LanguageChangeRelabelsRowsNumbersUnchanged) {
    ORVABluetoothDeviceData b = version(1, 0);
    b.setBasicSettingFERRIKAudioMultitaskingSensitivity(3);
    const auto english = update::restoreRowTexts(2, &b, 0x4210, 0);
    const auto french = update::restoreRowTexts(2, &b, 0x4210, 1);
    EXPECT_EQ(english.value, "8");
    EXPECT_EQ(french.value, "8");
    EXPECT_NE(english.name, french.name);
    EXPECT_NE(update::restoreValueText(17, 1, 0), update::restoreValueText(17, 1, 1));
    EXPECT_EQ(update::restoreValueText(1, 1, 1), app::AppTexts::qelm_string_enabled_in(1));
}

TEST(RestoreTable, EveryLabelAndValueTextInThirteenLanguages) {
    for (int kind = 1; kind <= update::kRestoreRowKinds; ++kind) {
        EXPECT_TRUE(update::restoreTextInAllLanguages(update::restoreRowLabel(kind))) << "T" << kind;
        for (const std::string& text : update::restoreRowValueTexts(kind)) {
            if (text == "Disable") continue;  // the controller's own text
            EXPECT_TRUE(update::restoreTextInAllLanguages(text)) << "T" << kind << " " << text;
        }
    }
}

}  // namespace
