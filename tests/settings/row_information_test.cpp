// The information catalogue of the all-settings list as data: its shape, the placeholders of its
// texts in every language, the entry each notable row takes, and, on the whole grid of inputs,
// one non-empty text behind every shown information button and none behind a hidden one.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "ListGrid.h"
#include "RowExpect.h"
#include "app/TextCatalogue.h"
#include "app/TextFormat.h"
#include "settings/AllSettingsList.h"
#include "settings/RowInformation.h"

namespace {

using namespace settings;
using namespace settings::testing;
using D = DeviceSettingsTexts;

// The page's texts as the list's inputs give them: language and firmware of the controller.
class InputTexts final : public DeviceSettingsTexts {
  public:
    explicit InputTexts(const ListInputs& in) : in_(in) {}
    int32_t textLanguage() const override { return in_.languageManager; }
    int32_t textFirmwareUpToMinor(int32_t major, int32_t minor) const override {
        return in_.data->compareVersionUpToMinorWithMajor(major, minor);
    }

  private:
    const ListInputs& in_;
};

size_t placeholders(const std::string& text) {
    size_t n = 0;
    for (size_t at = text.find("%@"); at != std::string::npos; at = text.find("%@", at + 2)) ++n;
    return n;
}

bool unconditional(const InformationWhen& w) {
    bool always = true;
    for (const Condition& c : w.inputs) always = always && c.test == Test::Always;
    return w.productIds.empty() && always && w.value.getter == device::SettingGetter::Count && w.row < 0;
}

std::string englishLabel(const RowText& label) {
    return label.literal ? label.literal : std::string(app::localizedText(label.entry, 0));
}

// The row showing the label (its n-th occurrence); -1 when none does.
int32_t rowOf(const ListInputs& in, const std::string& label, int occurrence = 0) {
    for (int32_t row = 0; row < numberOfRows(in); ++row)
        if (cellForRow(in, row)->label == label && occurrence-- == 0) return row;
    return -1;
}

TEST(RowInformationCatalogue, OneLinePerLabelWhoseFirstEntryIsUnconditionedAndWhoseVariantsAreNot) {
    const auto lines = informationCatalogue();
    EXPECT_EQ(lines.size(), 57u);  // the 56 labels of the catalogue and 0x3161's Channel Select
    std::set<std::string> labels;
    for (const InformationLine& line : lines) {
        const std::string label = englishLabel(line.label);
        EXPECT_FALSE(label.empty());
        EXPECT_TRUE(labels.insert(label).second) << label;
        EXPECT_EQ(informationLineFor(line.label), &line) << label;
        ASSERT_FALSE(line.entries.empty()) << label;
        EXPECT_TRUE(unconditional(line.entries[0].when)) << label;
        for (size_t i = 0; i < line.entries.size(); ++i) {
            const InformationEntry& e = line.entries[i];
            if (i > 0) {
                EXPECT_FALSE(unconditional(e.when)) << label << " entry " << i << " could never be reached";
            }
            EXPECT_NE(e.text, nullptr) << label << " entry " << i;
            EXPECT_TRUE(e.size == 2 || e.size == 3 || e.size == 4 || e.size == 6) << label << " entry " << i;
            EXPECT_TRUE(e.labelCount >= 0 && e.labelCount <= 2) << label << " entry " << i;
        }
    }
    // The rows without information have no line.
    for (app::TextId hidden : {app::TextId::setting_label_channel, app::TextId::setting_label_volume,
                               app::TextId::setting_label_microphone_sensitivity, app::TextId::setting_label_sub_music,
                               app::TextId::setting_label_sub_fm_radio, app::TextId::setting_label_sub_intercom,
                               app::TextId::setting_label_sub_phone})
        EXPECT_EQ(informationLineFor(text(hidden)), nullptr) << app::catalogueEntryName(hidden);
    EXPECT_EQ(informationLineFor(literal("Remote UI RTT")), nullptr);
}

// A "%@" that no label fills would be shown as it is; a text may hold fewer places than labels.
TEST(RowInformationCatalogue, EveryPlaceholderOfEveryLanguageHasALabel) {
    for (const InformationLine& line : informationCatalogue())
        for (const InformationEntry& e : line.entries)
            for (int32_t language = 0; language < 13; ++language)
                for (int32_t major : {1, 2}) {
                    ListCase c(0x5510, {major, 0});
                    c.language(language);
                    const std::string text = (InputTexts(c.in).*(e.text))();
                    EXPECT_FALSE(text.empty()) << englishLabel(line.label) << " language " << language;
                    EXPECT_LE(placeholders(text), static_cast<size_t>(e.labelCount))
                        << englishLabel(line.label) << " language " << language;
                }
}

struct EntryCase {
    const char* name;
    uint16_t id;
    Version version;
    CaseSetup setup;
    const char* label;
    int occurrence;
    InformationText text;  // nullptr: the row is not shown or has no entry
    int8_t size;
};

// The accessory setting reads its field as stored; its setter stores the argument plus 8.
void setAccessory(device::ORVABluetoothDeviceData& record, int32_t value) {
    record.SetBasicSetting50SpeakerAccessorySelect(value - 8);
}

void speaker0Accessory(ListCase& c, int32_t accessory) {
    c.speaker(0);
    setAccessory(c.dataCurrent, accessory);
}

TEST(RowInformationEntries, EachRowTakesItsVariantOrTheLinesFirstEntry) {
    const std::vector<EntryCase> cases = {
        {"Sidetone, mesh", 0x3110, {3, 4}, nullptr, "Sidetone", 0, &D::stringInformationSidetone, 2},
        {"Sidetone, single chip", 0x6010, {1, 0}, nullptr, "Sidetone", 0, &D::stringInformationSidetone, 2},
        {"partner equalizer for accessory 1", 0x3210, {1, 1}, [](ListCase& c) { speaker0Accessory(c, 1); },
         "Audio Equalizer", 0, &D::stringInformationAudioEqualizerQV, 6},
        {"plain equalizer for accessory 8", 0x3210, {1, 1}, [](ListCase& c) { speaker0Accessory(c, 8); },
         "Audio Equalizer", 0, &D::stringInformationAudioEqualizer, 6},
        {"partner equalizer for accessory 9 with a partner speaker", 0x3210, {1, 1},
         [](ListCase& c) { setAccessory(c.speaker(-1).dataCurrent, 9); }, "Audio Equalizer", 0,
         &D::stringInformationAudioEqualizerQV, 6},
        {"plain equalizer for accessory 1 with a partner speaker", 0x3210, {1, 1},
         [](ListCase& c) { setAccessory(c.speaker(-1).dataCurrent, 1); }, "Audio Equalizer", 0,
         &D::stringInformationAudioEqualizer, 6},
        {"plain presets below 1.1 whatever the accessory", 0x3210, {1, 0}, [](ListCase& c) { speaker0Accessory(c, 1); },
         "Audio Equalizer", 0, &D::stringInformationAudioEqualizer, 4},
        {"0x4210 status 0", 0x4210, {2, 2}, nullptr, "Audio Equalizer", 0, &D::stringInformationAudioEqualizer, 4},
        {"0x4210 status 1 from 2.5", 0x4210, {2, 5}, [](ListCase& c) { c.status(1); }, "Audio Equalizer", 0,
         &D::stringInformationAudioEqualizerQV, 6},
        {"0x4210 status 1 at 2.4 has no equalizer", 0x4210, {2, 4}, [](ListCase& c) { c.status(1); }, "Audio Equalizer", 0,
         nullptr, 0},
        {"0x3112 Tamber speakers", 0x3112, {3, 3},
         [](ListCase& c) { c.dataCurrent.SetBasicSettingTamberSpeakerAccessorySelect(1); }, "Audio Equalizer", 0,
         &D::stringInformationAudioEqualizerQV, 6},
        {"0x3112 HD speakers", 0x3112, {3, 3},
         [](ListCase& c) { c.dataCurrent.SetBasicSettingTamberSpeakerAccessorySelect(2); }, "Audio Equalizer", 0,
         &D::stringInformationAudioEqualizer, 6},
        {"0x3156 presets of the further family", 0x3156, {1, 0}, nullptr, "Audio Equalizer", 0,
         &D::stringInformationAudioEqualizerRF, 6},
        {"Video Mode below 2.0", 0x5510, {1, 9}, nullptr, "Video Mode", 0, &D::stringInformationVideoMode, 2},
        {"Video Mode from 2.0", 0x5510, {2, 0}, nullptr, "Video Mode", 0, &D::stringInformationVideoMode, 4},
        {"0x3132 first Audio Boost at 1.3", 0x3132, {1, 3}, [](ListCase& c) { speaker0Accessory(c, 1); }, "Audio Boost", 0,
         &D::stringInformationAudioBoost2_old, 2},
        {"0x3132 second Audio Boost at 1.3", 0x3132, {1, 3}, [](ListCase& c) { speaker0Accessory(c, 1); }, "Audio Boost", 1,
         &D::stringInformationAudioBoost2, 2},
        {"0x3132 Audio Boost from 1.4, accessory 8", 0x3132, {1, 4}, [](ListCase& c) { speaker0Accessory(c, 8); },
         "Audio Boost", 0, &D::stringInformationAudioBoost2, 2},
        {"0x3132 Audio Boost from 1.4, accessory 1", 0x3132, {1, 4}, [](ListCase& c) { speaker0Accessory(c, 1); },
         "Audio Boost", 0, &D::stringInformationAudioBoost2_old, 2},
        {"0x3211 Audio Boost", 0x3211, {4, 3}, [](ListCase& c) { c.fm(4); }, "Audio Boost", 0,
         &D::stringInformationAudioBoost2, 2},
        {"Audio Multitasking, FERRIK", 0x4210, {2, 5}, nullptr, "Audio Multitasking™", 0,
         &D::stringInformationAudioMultitasking, 6},
        {"Audio Multitasking, QCC", 0x4023, {2, 3}, nullptr, "Audio Multitasking™", 0,
         &D::stringInformationAudioMultitaskingWithQCC, 6},
        {"Audio Multitasking, one module", 0x5570, {1, 0}, nullptr, "Audio Multitasking™", 0,
         &D::stringInformationAudioMultitaskingOneModule, 6},
        {"VOX Sensitivity 0x6012", 0x6012, {1, 0}, nullptr, "VOX Sensitivity", 0, &D::stringInformationVOXSensitivityForFerrand, 2},
        {"VOX Sensitivity 0x6838", 0x6838, {1, 0}, nullptr, "VOX Sensitivity", 0, &D::stringInformationVOXSensitivityMOSSEL, 2},
        {"VOX Sensitivity 0x5622", 0x5622, {2, 0}, nullptr, "VOX Sensitivity", 0, &D::stringInformationVOXSensitivityForHallvik, 2},
        {"VOX Sensitivity 0x3110", 0x3110, {3, 4}, nullptr, "VOX Sensitivity", 0, &D::stringInformationVOXSensitivity, 2},
        {"Headset Language 0x3214, known speaker", 0x3214, {2, 5}, [](ListCase& c) { c.speaker(0); }, "Headset Language", 0,
         &D::stringInformationHeadsetUnitLanguage, 2},
        {"Headset Language 0x3214, partner speaker", 0x3214, {2, 5}, [](ListCase& c) { c.speaker(-1); }, "Headset Language",
         0, &D::stringInformationUnitLanguage, 2},
        {"Headset Language 0x5440", 0x5440, {1, 0}, nullptr, "Headset Language", 0, &D::stringInformationHeadsetLanguage, 2},
        {"Headset Language 0x6838", 0x6838, {1, 0}, nullptr, "Headset Language", 0, &D::stringInformationHeadsetUnitLanguage, 2},
        {"AUTO OFF 0x6838", 0x6838, {1, 0}, nullptr, "AUTO OFF", 0, &D::stringInformationAutoOff, 3},
        {"AUTO OFF 0x6038", 0x6038, {1, 0}, nullptr, "AUTO OFF", 0, &D::stringInformationAutoOff, 2},
        {"Mesh Reach-Out 0x3217", 0x3217, {2, 1}, nullptr, "Mesh Reach-Out", 0, &D::stringInformationMeshReachOut, 4},
        {"Mesh Reach-Out 0x6838", 0x6838, {1, 0}, nullptr, "Mesh Reach-Out", 0, &D::stringInformationMeshReachOut, 3},
        {"0x3161 Channel Select", 0x3161, {1, 0}, nullptr, "Channel Select", 0, &D::stringInformationMeshPublicChannel, 3},
        {"0x3161 Unit Language", 0x3161, {1, 0}, nullptr, "Unit Language", 0, &D::stringInformationHeadsetUnitLanguage, 2},
        {"0x3161 Remote UI RTT", 0x3161, {1, 0}, nullptr, "Remote UI RTT", 0, nullptr, 0},
        {"0x5630 overlay sensitivity", 0x5630, {1, 0}, nullptr, "Intercom-audio Overlay Sensi...", 0,
         &D::stringInformationIntercomAudioOverlaySesitivityGESSA, 4},
        {"0x6839 Headset Language", 0x6839, {1, 0}, nullptr, "Headset Language", 0, &D::stringInformationHeadsetUnitLanguage, 2},
        {"0x6839 VOX Sensitivity", 0x6839, {1, 0}, nullptr, "VOX Sensitivity", 0, &D::stringInformationVOXSensitivity, 2},
        {"0x5552 Headset Language", 0x5552, {1, 0}, nullptr, "Headset Language", 0, &D::stringInformationHeadsetUnitLanguage, 2},
        {"Alvento channel", 0x3500, {1, 0}, nullptr, "Channel", 0, nullptr, 0},
    };
    for (const EntryCase& c : cases) {
        ListCase list(c.id, c.version);
        if (c.setup) c.setup(list);
        const int32_t row = rowOf(list.in, c.label, c.occurrence);
        const InformationEntry* entry = informationEntryForRow(list.in, row);
        if (!c.text) {
            EXPECT_EQ(entry, nullptr) << c.name;
            if (std::string(c.label) != "Audio Equalizer") {
                EXPECT_GE(row, 0) << c.name << ": the row is shown";
            }
            continue;
        }
        ASSERT_NE(entry, nullptr) << c.name;
        EXPECT_TRUE(entry->text == c.text) << c.name;
        EXPECT_EQ(entry->size, c.size) << c.name;
    }
}

TEST(RowInformationEntries, LabelsFillThePlacesOfTheCurrentLanguageOnly) {
    ListCase japanese(0x5534);
    const int32_t row = rowOf(japanese.in, "Advanced Noise Control™");
    japanese.language(4);
    ASSERT_GE(row, 0);
    const std::string raw = InputTexts(japanese.in).stringInformationAdvancedNoiseControl();
    ASSERT_EQ(placeholders(raw), 1u);
    const auto box = informationForRow(japanese.in, row, InputTexts(japanese.in));
    ASSERT_TRUE(box.has_value());
    const std::string label(app::localizedText(app::TextId::setting_label_advanced_noise_control, 4));
    EXPECT_EQ(box->text, app::formatText(raw, {label}));
    EXPECT_NE(box->text.find(label), std::string::npos);
    // English and French have no place: their texts come back as they are.
    for (int32_t language : {0, 1}) {
        ListCase list(0x5534);
        list.language(language);
        const std::string asReturned = InputTexts(list.in).stringInformationAdvancedNoiseControl();
        EXPECT_EQ(placeholders(asReturned), 0u) << language;
        EXPECT_EQ(informationForRow(list.in, row, InputTexts(list.in))->text, asReturned) << language;
    }
    // Two labels: Audio Multitasking™ and FM Radio in the places of the FERRIK text.
    ListCase ferrik(0x4210, {2, 5});
    const auto multitasking = informationForRow(ferrik.in, rowOf(ferrik.in, "Audio Multitasking™"), InputTexts(ferrik.in));
    ASSERT_TRUE(multitasking.has_value());
    EXPECT_EQ(multitasking->text, app::formatText(InputTexts(ferrik.in).stringInformationAudioMultitasking(),
                                                  {"Audio Multitasking™", "FM Radio"}));
    EXPECT_EQ(placeholders(multitasking->text), 0u);
}

bool names(const InformationWhen& when, uint16_t id) {
    const auto& ids = when.productIds;
    return ids.empty() || std::find(ids.begin(), ids.end(), id) != ids.end();
}

// The versions the id's tables name and those the catalogue's entries for it name, each with the
// one just below.
std::vector<Version> versionsWithTheCatalogues(uint16_t id) {
    std::set<std::tuple<int, int, int, int>> found;
    for (const Version& v : versionsFor(id)) found.insert({v.major, v.minor, v.type, v.secondary});
    for (const InformationLine& line : informationCatalogue())
        for (const InformationEntry& e : line.entries)
            if (names(e.when, id))
                for (const Condition& c : e.when.inputs) addVersionsOf(c, found);
    std::vector<Version> versions;
    for (const auto& [a, b, t, s] : found) versions.push_back({a, b, t, s});
    return versions;
}

bool offersPartnerPresets(const RowKind& kind, const ListInputs& in) {
    const ItemList items = itemsFor(kind, in);
    return !items.empty() && items[0].entry == app::TextId::setting_label_music_balance;
}

// The accessory settings matter only where an entry or an item list of the id's layouts reads
// them; elsewhere one value of each is enough.
std::vector<int32_t> accessoriesFor(uint16_t id) {
    const auto reads = [](device::SettingGetter g) {
        return g == device::SettingGetter::GetBasicSetting50SpeakerAccessorySelect ||
               g == device::SettingGetter::GetBasicSettingTamberSpeakerAccessorySelect;
    };
    bool read = false;
    for (const InformationLine& line : informationCatalogue())
        for (const InformationEntry& e : line.entries) read = read || (names(e.when, id) && reads(e.when.value.getter));
    if (const SelectionGroup* group = groupFor(id))
        for (const LayoutChoice& choice : group->choices)
            for (const RowKind* kind : choice.layout->rows) read = read || reads(kind->items.getter);
    return read ? std::vector<int32_t>{1, 8, 9} : std::vector<int32_t>{8};
}

// Every shown button opens exactly one box with a text; a hidden one has no entry. The partner
// equalizer texts show exactly where the row offers the partner presets.
TEST(RowInformationGrid, EveryShownButtonHasOneNonEmptyTextAndEveryHiddenOneNone) {
    for (uint16_t id : kListSet) {
        const std::vector<int32_t> accessories = accessoriesFor(id);
        forEachCase(id, versionsWithTheCatalogues(id), [&](ListCase& c, const Version& v) {
            for (int32_t accessory : accessories) {
                setAccessory(c.dataCurrent, accessory);
                c.dataCurrent.SetBasicSettingTamberSpeakerAccessorySelect(accessory == 1 ? 1 : 2);
                const InputTexts texts(c.in);
                const int32_t rows = numberOfRows(c.in);
                for (int32_t row = 0; row < rows; ++row) {
                    const auto where = [&] {
                        return describeInput(c.in, v) + ", accessory " + std::to_string(accessory) + ", row " +
                               std::to_string(row);
                    };
                    const RowKind* kind = rowKindAt(c.in, row);
                    ASSERT_NE(kind, nullptr) << where();
                    if (!kind->info) {
                        EXPECT_EQ(informationEntryForRow(c.in, row), nullptr) << where();
                        continue;
                    }
                    const auto box = informationForRow(c.in, row, texts);
                    ASSERT_TRUE(box.has_value()) << where() << " " << englishLabel(kind->label);
                    EXPECT_FALSE(box->text.empty()) << where();
                    if (kind->label.entry == app::TextId::setting_label_audio_equalizer) {
                        const InformationEntry* entry = informationEntryForRow(c.in, row);
                        const bool partnerText = entry->text == &D::stringInformationAudioEqualizerQV ||
                                                 entry->text == &D::stringInformationAudioEqualizerRF;
                        EXPECT_EQ(partnerText, offersPartnerPresets(*kind, c.in)) << where();
                    }
                }
                EXPECT_EQ(informationEntryForRow(c.in, rows), nullptr) << describeInput(c.in, v);
            }
        });
    }
}

}  // namespace
