#include "update/BackupSummary.h"

#include <algorithm>
#include <cstdio>
#include <initializer_list>
#include <vector>

#include "app/AppTexts.h"
#include "app/TextCatalogue.h"
#include "app/TextFormat.h"

namespace update {

namespace {

using app::TextId;
using Record = device::ORVABluetoothDeviceData;
using Getter = int32_t (Record::*)() const;

std::string text(TextId id, int language) { return std::string(app::localizedText(id, language)); }

// A backup "from a.b" is one whose version compared with a.b is not negative; without a record
// every comparison reads 0.
bool from(const Record* backup, int32_t major, int32_t minor) {
    return backup == nullptr || backup->compareVersionUpToMinorWithMajor(major, minor) >= 0;
}

bool among(int32_t model, std::initializer_list<int32_t> models) {
    return std::find(models.begin(), models.end(), model) != models.end();
}
bool inRange(int32_t model, int32_t first, int32_t last) { return model >= first && model <= last; }

// ---- version line and compatibility ---------------------------------------------------------

constexpr int32_t kNelvar = 0x3020;
constexpr int32_t kThreeNumberModel = 0x5345;

}  // namespace

BackupCheck checkBackup(const Record* backup, int32_t connected) {
    if (backup == nullptr ||
        Record::compareVersionUpToMinorMajor(backup->managerVersionMajor(), backup->managerVersionMinor(), 0, 0) == 0)
        return BackupCheck::noFile;
    if (among(connected, {0x4D35, 0x4D55}) && backup->compareVersionUpToMinorWithMajor(1, 2) < 0)
        return BackupCheck::notCompatible;
    if (among(connected, {0x4D30, 0x4D40, 0x5060, 0x5061, 0x5070, 0x5080}) &&
        backup->compareVersionUpToMinorWithMajor(4, 2) < 0)
        return BackupCheck::notCompatible;
    return BackupCheck::usable;
}

std::string restoredVersionText(int32_t target, const Record& b) {
    if (target == kNelvar)
        return app::formatText("v%d.%d.%d.%d", {b.deviceSecondaryVersionType(), b.deviceSecondaryVersion(),
                                                b.deviceVersionMajor(), b.deviceVersionMinor()});
    if (target == kThreeNumberModel)
        return app::formatText("v%d.%d.%d", {b.deviceVersionMajor(), b.deviceVersionMinor(), b.deviceSecondaryVersion()});
    return app::formatText("v%d.%d", {b.deviceVersionMajor(), b.deviceVersionMinor()});
}

namespace {

// ---- summary lines ---------------------------------------------------------------------------

enum class Value : uint8_t {
    onOff,          // Enabled when the getter is non-zero
    notOnOff,       // Enabled when the getter is zero
    isOne,          // Enabled exactly when the getter is 1
    motionSensor,   // Disable, Low, High or the number
    overlay,        // 11 minus the getter
    transmitGain,   // the record's gain text
    channelTimeout  // "<n> seconds"
};

struct Line {
    int number;  // 1-6
    TextId label;
    Value kind;
    Getter getter;
};

// A band applies from its version on (the first from any version) and replaces the band before.
struct Band {
    int32_t major, minor;
    std::vector<Line> lines;
};

struct BasicRow {
    std::vector<int32_t> models;
    std::vector<Band> bands;
};

#define L(n, label, kind, getter) Line{n, TextId::label, Value::kind, &Record::getter}

const Line kVoxPhone = L(1, setting_label_vox_phone, onOff, handsfreeVOX);
const Line kFerrik[] = {
    L(1, setting_label_vox_phone, onOff, getBasicSettingFERRIKVOXPhone),
    L(2, setting_label_sidetone, onOff, getBasicSettingFERRIKSidetone),
    L(3, setting_label_motion_sensor_sensitivity, motionSensor, getBasicSettingFERRIKMotionSensorSensitivity),
    L(4, setting_label_audio_multitasking, onOff, getBasicSettingFERRIKAudioMultitasking),
    L(5, setting_label_intercom_audio_overlay_sensitivity, overlay, getBasicSettingFERRIKAudioMultitaskingSensitivity),
    L(6, setting_label_navigation_app_support, onOff, getBasicSettingFERRIKNavigationAppOverlay),
};
const std::vector<Line> kFerrikLines(std::begin(kFerrik), std::end(kFerrik));
const std::vector<Line> kAudioBoostSix = {
    L(1, setting_label_audio_boost, notOnOff, audioBoost),
    L(2, setting_label_vox_phone, onOff, handsfreeVOX),
    L(3, setting_label_vox_intercom, onOff, intercomVOX),
    L(4, setting_label_high_quality_a2dp, onOff, bitpoolRate),
    L(5, setting_label_sidetone, onOff, sidetone),
    L(6, setting_label_advanced_noise_control, notOnOff, advancedNoiseControl),
};

// Bands of the 0x4D10 family: below 4.0, from 4.0, 4.1, 4.2 and (not for every member) 5.0;
// `microphone` adds the microphone-boosting line after the last.
std::vector<Band> edrFamilyBands(bool microphone, bool withFive) {
    const Line voxP = kVoxPhone;
    const Line voxI = L(2, setting_label_vox_intercom, onOff, intercomVOX);
    const Line notEdr = L(3, setting_label_edr_enhanced_data_rate, notOnOff, edr);
    auto mic = [](int n) { return L(n, setting_label_microphone_boosting, onOff, microphoneBoost); };
    std::vector<Band> bands = {
        {0, 0, {voxP, voxI, L(3, setting_label_edr_enhanced_data_rate, onOff, edr)}},
        {4, 0, {voxP, voxI, notEdr, L(4, setting_label_plc, onOff, plc)}},
        {4, 1, {voxP, voxI, notEdr, L(4, setting_label_plc, onOff, plc), L(5, setting_label_high_quality_a2dp, onOff, bitpoolRate)}},
        {4, 2, {voxP, voxI, notEdr, L(4, setting_label_high_quality_a2dp, onOff, bitpoolRate)}},
    };
    if (withFive)
        bands.push_back({5, 0, {voxP, voxI, notEdr, L(4, setting_label_high_quality_a2dp, onOff, bitpoolRate),
                                L(5, setting_label_sidetone, onOff, sidetone)}});
    if (microphone) {
        bands[2].lines.push_back(mic(6));
        bands[3].lines.push_back(mic(5));
        if (withFive) bands[4].lines.push_back(mic(6));
    }
    return bands;
}

std::vector<int32_t> idRange(int32_t first, int32_t last, std::vector<int32_t> more = {}) {
    for (int32_t id = first; id <= last; ++id) more.push_back(id);
    return more;
}

const std::vector<BasicRow>& basicRows() {
    static const std::vector<BasicRow> rows = [] {
        std::vector<BasicRow> r;
        const Line notEdr2 = L(2, setting_label_edr_enhanced_data_rate, notOnOff, edr);
        r.push_back({{0x2010, 0x2011, 0x2120, 0x2210, 0x2310, 0x4010, 0x4020, 0x4030},
                     {{0, 0, {kVoxPhone, notEdr2, L(3, setting_label_high_quality_a2dp, onOff, bitpoolRate)}}}});
        const std::vector<Line> old2020 = {kVoxPhone, L(2, setting_label_vox_intercom, onOff, intercomVOX),
                                           L(3, setting_label_edr_enhanced_data_rate, notOnOff, edr),
                                           L(4, setting_label_high_quality_a2dp, onOff, bitpoolRate),
                                           L(5, setting_label_sidetone, onOff, sidetone)};
        std::vector<Line> new2020 = old2020;
        new2020.push_back(L(6, setting_label_advanced_noise_control, notOnOff, advancedNoiseControl));
        r.push_back({{0x2020}, {{0, 0, old2020}, {1, 1, new2020}}});
        r.push_back({{0x2030, 0x4310, 0x4330, 0x4410, 0x4430, 0x4510, 0x4530, 0x4610}, {{0, 0, kFerrikLines}}});
        r.push_back({{0x4210},
                     {{0, 0,
                       {kFerrik[0], kFerrik[1], L(3, setting_label_audio_multitasking, onOff, getBasicSettingFERRIKAudioMultitasking),
                        L(4, setting_label_intercom_audio_overlay_sensitivity, overlay,
                          getBasicSettingFERRIKAudioMultitaskingSensitivity)}},
                      {1, 1, kFerrikLines}}});
        r.push_back({{0x2110, 0x4021, 0x6430}, {{0, 0, {kVoxPhone}}}});
        // Line 1 of these models shows fmStationGuide under the audio-boost label (kept as the
        // product has it until the all-settings list settles it).
        r.push_back({{0x3030, 0x3032, 0x3040, 0x3050, 0x3060},
                     {{0, 0,
                       {L(1, setting_label_audio_boost, isOne, fmStationGuide),
                        L(2, setting_label_advanced_noise_control, notOnOff, advancedNoiseControl)}}}});
        r.push_back({idRange(0x3210, 0x321A, idRange(0x5610, 0x5612, idRange(0x5620, 0x5624, {
                         0x3070, 0x3080, 0x3110, 0x3112, 0x3114, 0x3116, 0x3118, 0x3124, 0x3126, 0x3128, 0x3132,
                         0x3134, 0x3136, 0x3140, 0x3142, 0x3144, 0x3146, 0x3148, 0x3152, 0x3154, 0x3156, 0x3170,
                         0x321C, 0x3240, 0x3260, 0x3264, 0x3300, 0x3310, 0x3320, 0x3330, 0x3800, 0x3900, 0x4050,
                         0x5424, 0x5426, 0x5428, 0x5430, 0x5432, 0x5434, 0x5510, 0x5520, 0x5526, 0x5530, 0x5532,
                         0x5534, 0x5538, 0x5550, 0x5564, 0x5570, 0x5576, 0x5580, 0x5710, 0x5720, 0x5910, 0x5920,
                         0x6010, 0x6012, 0x6014, 0x6016, 0x6018, 0x6020, 0x6022, 0x6024, 0x6026, 0x6028, 0x6030,
                         0x6032, 0x6034, 0x6036, 0x6112, 0x6114, 0x6210, 0x6310, 0x6320, 0x6330, 0x6335, 0x6400}))),
                     {{0, 0, kAudioBoostSix}}});
        // Line 6 of these two gets the voice-assistant value under the noise-control label (kept
        // as the product writes it until the all-settings list settles it).
        std::vector<Line> voiceAssistantSix = kAudioBoostSix;
        voiceAssistantSix[5] = L(6, setting_label_advanced_noise_control, notOnOff, voiceAssistant);
        r.push_back({{0x3232, 0x3233}, {{0, 0, voiceAssistantSix}}});
        r.push_back({{0x4040, 0x4D21}, {{0, 0, {L(1, setting_label_sidetone, onOff, sidetone)}}}});
        r.push_back({idRange(0x4110, 0x4113),
                     {{0, 0,
                       {L(1, setting_label_edr_enhanced_data_rate, notOnOff, edr),
                        L(2, setting_label_high_quality_a2dp, onOff, bitpoolRate)}}}});
        const std::vector<Line> edrFour = {L(1, setting_label_edr_enhanced_data_rate, notOnOff, edr),
                                           L(2, setting_label_high_quality_a2dp, onOff, bitpoolRate),
                                           L(3, setting_label_sidetone, onOff, sidetone),
                                           L(4, setting_label_advanced_noise_control, notOnOff, advancedNoiseControl)};
        // Line 5 of 0x4120 repeats line 4's value under the auto-gain label (kept as the product has it).
        std::vector<Line> edrFive = edrFour;
        edrFive.push_back(L(5, setting_label_auto_gain_control, notOnOff, advancedNoiseControl));
        r.push_back({{0x4120}, {{0, 0, edrFive}}});
        r.push_back({{0x4D05, 0x4D15, 0x4D35, 0x4D45, 0x4D55, 0x4D65},
                     {{0, 0, {kVoxPhone, notEdr2, L(3, setting_label_plc, onOff, plc)}},
                      {1, 2, {kVoxPhone, notEdr2, L(3, setting_label_high_quality_a2dp, onOff, bitpoolRate)}},
                      {2, 0,
                       {kVoxPhone, notEdr2, L(3, setting_label_high_quality_a2dp, onOff, bitpoolRate),
                        L(4, setting_label_sidetone, onOff, sidetone)}}}});
        r.push_back({{0x4D10, 0x4D30, 0x4D40}, edrFamilyBands(true, true)});
        r.push_back({{0x4D20, 0x4D50, 0x5010, 0x5030, 0x5040, 0x5050, 0x5060, 0x5061, 0x5080}, edrFamilyBands(false, true)});
        r.push_back({{0x5020, 0x5070}, edrFamilyBands(false, false)});
        r.push_back({{0x4D75, 0x5011}, {{0, 0, old2020}}});
        r.push_back({{0x4D85, 0x6000},
                     {{0, 0,
                       {kVoxPhone, notEdr2, L(3, setting_label_high_quality_a2dp, onOff, bitpoolRate),
                        L(4, setting_label_sidetone, onOff, sidetone)}}}});
        r.push_back({{0x5210},
                     {{0, 0,
                       {L(1, setting_label_radio_transmit_gain, transmitGain, radioTransmitGain),
                        L(2, setting_label_audio_channel_timeout, channelTimeout, audioChannelTimeout)}}}});
        r.push_back({{0x5522, 0x5524, 0x5536},
                     {{0, 0,
                       {L(1, setting_label_audio_boost, notOnOff, audioBoost),
                        L(2, setting_label_high_quality_a2dp, onOff, bitpoolRate),
                        L(3, setting_label_advanced_noise_control, notOnOff, advancedNoiseControl)}}}});
        r.push_back({{0x6110, 0x6111, 0x6120, 0x6121}, {{0, 0, edrFour}}});
        r.push_back({{0x6420, 0x6440, 0x6450, 0x6460, 0x6470, 0x6480, 0x6490}, {{0, 0, {kVoxPhone, notEdr2}}}});
        // Models that show no Basic lines but are named: they react to the other tabs.
        r.push_back({idRange(0x5440, 0x5445, idRange(0x5590, 0x5597, idRange(0x6800, 0x6806, idRange(0x6810, 0x6812,
                     idRange(0x6814, 0x6817, idRange(0x6A01, 0x6A04, {
                         0x3052, 0x3072, 0x3082, 0x3085, 0x3150, 0x3161, 0x321B, 0x3340, 0x3341, 0x3350, 0x3360,
                         0x3370, 0x3380, 0x3410, 0x3420, 0x3430, 0x3701, 0x4D06, 0x4D16, 0x4D76, 0x4D86, 0x5410,
                         0x5412, 0x5414, 0x5416, 0x5418, 0x5420, 0x5552, 0x5553, 0x5560, 0x5562, 0x5630, 0x5632,
                         0x6038, 0x6039, 0x6042, 0x6461, 0x6481, 0x6491, 0x6500, 0x6510, 0x6600, 0x6610, 0x6620,
                         0x6700, 0x6808, 0x6821, 0x6822, 0x6824, 0x6825, 0x6828, 0x6831, 0x6838, 0x6839, 0x683A,
                         0x6840, 0x6900, 0x6910})))))),
                     {{0, 0, {}}}});
        return r;
    }();
    return rows;
}
#undef L

const BasicRow* basicRowOf(int32_t model) {
    for (const BasicRow& row : basicRows())
        if (std::find(row.models.begin(), row.models.end(), model) != row.models.end()) return &row;
    return nullptr;
}

std::string onOffText(bool enabled, int language) {
    return enabled ? app::AppTexts::qelm_string_enabled_in(language) : app::AppTexts::qelm_string_disabled_in(language);
}

std::string valueText(const Line& line, const Record& b, int language) {
    const int32_t v = (b.*line.getter)();
    switch (line.kind) {
        case Value::onOff: return onOffText(v != 0, language);
        case Value::notOnOff: return onOffText(v == 0, language);
        case Value::isOne: return onOffText(v == 1, language);
        case Value::motionSensor:
            if (v == 1) return app::AppTexts::qelm_string_disable_in(language);
            if (v == 2) return Record::getRTGStringFromRTG(12, language);
            if (v == 3) return Record::getRTGStringFromRTG(17, language);
            return app::formatText("%d", {v});
        case Value::overlay: return app::formatText("%d", {11 - v});
        case Value::transmitGain: return Record::getRTGStringFromRTG(v, language);
        case Value::channelTimeout:
            return app::formatText("%d %@", {v, app::AppTexts::qelm_string_seconds_in(language)});
    }
    return {};
}

BackupSummaryLines basicLines(const BasicRow& row, const Record& b, int language) {
    const Band* band = &row.bands.front();
    for (const Band& candidate : row.bands)
        if (&candidate != &row.bands.front() && from(&b, candidate.major, candidate.minor)) band = &candidate;
    BackupSummaryLines out;
    for (const Line& line : band->lines) {
        const auto i = static_cast<size_t>(line.number - 1);
        out.labels[i] = app::formatText("%@:", {text(line.label, language)});
        out.values[i] = app::formatText("%@", {valueText(line, b, language)});
    }
    return out;
}

// Models whose Basic lines show on every tab (and every model not named).
bool basicOnEveryTab(int32_t model) {
    return among(model, {0x2010, 0x2011, 0x2110, 0x2120, 0x2210, 0x2310, 0x3020, 0x4010, 0x4020, 0x4021, 0x4030,
                         0x5210, 0x5345}) ||
           basicRowOf(model) == nullptr;
}
// Models with speed dials but no FM summary.
bool withoutFM(int32_t model) {
    return inRange(model, 0x4110, 0x4113) ||
           among(model, {0x2020, 0x4120, 0x4D21, 0x4D75, 0x5011, 0x5020, 0x5070, 0x6000, 0x6110, 0x6111, 0x6120,
                         0x6121, 0x6420, 0x6430, 0x6440, 0x6450, 0x6460, 0x6470, 0x6480, 0x6490});
}
bool sixPresets(int32_t model) {
    return among(model, {0x6010, 0x6012, 0x6014, 0x6016, 0x6018, 0x6020, 0x6022, 0x6024, 0x6026, 0x6028, 0x6030,
                         0x6032, 0x6034, 0x6036});
}
bool regionLabelWithBlank(int32_t model) {
    return among(model, {0x4D10, 0x4D20, 0x4D30, 0x4D40, 0x4D50, 0x5010, 0x5030, 0x5040, 0x5050, 0x5060, 0x5061, 0x5080});
}

const TextId kRegionNames[] = {TextId::restore_region_worldwide, TextId::restore_region_americas,
                               TextId::restore_region_asia,      TextId::restore_region_australia,
                               TextId::restore_region_europe,    TextId::restore_region_japan};

// "%0.1f" of a single-precision value.
std::string oneDecimal(float value) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%0.1f", static_cast<double>(value));
    return buffer;
}

BackupSummaryLines fmLines(int32_t model, const Record& b, int language) {
    BackupSummaryLines out;
    out.leftAligned = true;
    const std::string region = text(TextId::setting_label_radio_region, language);
    out.dateLabel = app::formatText(regionLabelWithBlank(model) ? "%@: " : "%@:", {region});
    const auto r = static_cast<size_t>(std::clamp(b.fmRadioRegion(), 0, 5));
    out.dateValue = app::formatText("%@", {text(kRegionNames[r], language)});
    const int presets = sixPresets(model) ? 6 : 10;
    for (int i = 0; i < presets; ++i) {
        const int32_t stored = b.fmRadioPresetsAt(i);
        const std::string preset =
            stored == 0 ? text(TextId::setting_label_empty, language)
                        : app::formatText("%@%@ MHz", {stored < 10000 ? "  " : "", oneDecimal(static_cast<float>(stored) / 100.0f)});
        const std::string line = app::formatText("%@%@%d: %@", {i % 2 == 0 ? std::string(20, ' ') : std::string(),
                                                                 i + 1 < 10 ? "  " : "", i + 1, preset});
        (i % 2 == 0 ? out.labels : out.values)[static_cast<size_t>(i / 2)] = line;
    }
    out.labels[5] = app::formatText("%@:", {text(TextId::setting_label_rds_af, language)});
    out.values[5] = app::formatText("%@", {onOffText(b.fmRadioRDS() != 0, language)});
    return out;
}

}  // namespace

BackupSummaryLines speedDialLines(const Record& b, int language) {
    BackupSummaryLines out;
    for (int k = 1; k <= 3; ++k) {
        const auto i = static_cast<size_t>(k - 1);
        out.labels[i] = app::formatText("%@ %d: ", {text(TextId::setting_label_speed_dial, language), k});
        const platform::OptString dial = b.speedDialAt(k - 1);
        out.values[i] = dial && !dial->empty() ? *dial : text(TextId::setting_label_empty, language);
    }
    return out;
}

BackupSummaryLines backupSummaryLines(int32_t model, int32_t tab, const Record& b, int language) {
    const BasicRow* row = basicRowOf(model);
    if (basicOnEveryTab(model) || tab == kTabBasic) return row ? basicLines(*row, b, language) : BackupSummaryLines{};
    if (model == 0x4040) return {};
    if (tab == kTabSpeedDial) return speedDialLines(b, language);
    if (tab == kTabFMRadio && !withoutFM(model)) return fmLines(model, b, language);
    return {};
}

namespace {

// ---- summary-line counts ---------------------------------------------------------------------

// A count from a backup version on (the first from any version).
struct CountBand {
    int32_t major, minor;
    SummaryLineCount count;
};
struct CountRow {
    std::vector<int32_t> models;
    std::vector<CountBand> basic;
    int speedDial, fmRadio, other;
};

std::vector<CountBand> plain(int count, bool table = false) { return {{0, 0, {count, table}}}; }
std::vector<CountBand> bands(std::initializer_list<std::pair<std::pair<int32_t, int32_t>, int>> list) {
    std::vector<CountBand> out;
    for (const auto& [version, count] : list) out.push_back({version.first, version.second, {count, false}});
    return out;
}

const std::vector<CountRow>& countRows() {
    static const std::vector<CountRow> rows = {
        {{
    0x4310, 0x4330, 0x4430, 0x4510, 0x4530, 0x4610, 0x2030, 0x4410, 0x5610, 0x5611, 0x5612, 0x5620,
    0x5621, 0x5520, 0x6112, 0x6114, 0x3070, 0x3080, 0x3310, 0x3330, 0x6310, 0x6320, 0x6335, 0x6330,
    0x5564, 0x4050, 0x5424, 0x5434, 0x5430, 0x5432, 0x5428, 0x5426, 0x3300, 0x5538, 0x5534, 0x5530,
    0x5532, 0x5550, 0x3110, 0x3146, 0x3140, 0x3132, 0x3260, 0x321C, 0x3210, 0x3218, 0x3214, 0x3217,
    0x3212, 0x3216, 0x321A, 0x3219, 0x3211, 0x3215, 0x3264, 0x3232, 0x3233, 0x3240, 0x3156, 0x3213,
    0x3148, 0x3154, 0x3320, 0x3134, 0x3900, 0x3170, 0x6461, 0x6481, 0x6700, 0x6491, 0x6620, 0x6600,
    0x6610, 0x3420, 0x3430, 0x3340, 0x3341, 0x5590, 0x6042, 0x321B, 0x3085, 0x3052, 0x3072, 0x3082,
    0x6038, 0x6039, 0x3350, 0x3360, 0x3370, 0x3410, 0x6900, 0x6910, 0x5440, 0x5441, 0x5442, 0x5443,
    0x5444, 0x5445, 0x3400, 0x5595, 0x5596, 0x3380, 0x5591, 0x5597, 0x3701, 0x5592, 0x5593, 0x5594,
    0x4023, 0x4D16, 0x4D06, 0x4D76, 0x4D86, 0x6510, 0x5552, 0x5553, 0x5630, 0x5632, 0x6800, 0x683A,
    0x6A04, 0x6A01, 0x6A02, 0x6A03, 0x6828, 0x6838, 0x6840, 0x6839, 0x6821, 0x6825, 0x6804, 0x6815,
    0x6822, 0x6810, 0x6806, 0x6808, 0x6811, 0x6801, 0x6816, 0x6802, 0x6803, 0x6814, 0x6831, 0x6824,
    0x6805, 0x6817, 0x6812, 0x6500, 0x3161, 0x3150, 0x3116, 0x3118, 0x3136, 0x3800, 0x3142, 0x3124,
    0x3144, 0x3152, 0x3126, 0x3128, 0x3112, 0x3114, 0x5710, 0x5623, 0x5622, 0x5624, 0x5524, 0x5536,
    0x5522, 0x3030, 0x3032, 0x3050, 0x3060, 0x3040, 0x6210, 0x6400, 0x5526, 0x5720, 0x5910, 0x5920,
    0x5510, 0x5580, 0x5570, 0x5576, 0x5410, 0x5412, 0x5414, 0x5420, 0x5418, 0x5416
         },
         plain(6, true), 3, 6, 6},
        {{0x6010, 0x6018, 0x6020, 0x6022, 0x6024, 0x6012, 0x6014, 0x6016, 0x6026, 0x6028, 0x6030, 0x6032, 0x6034, 0x6036},
         plain(6, true), 3, 4, 6},
        {{0x4110, 0x4113, 0x4111, 0x4112, 0x6420, 0x6470, 0x6460, 0x6480, 0x6490, 0x6440, 0x6450}, plain(2), 3, 6, 6},
        {{0x4D20, 0x4D50, 0x5010, 0x5060, 0x5061, 0x5030, 0x5080, 0x5040, 0x5050},
         bands({{{0, 0}, 3}, {{4, 0}, 4}, {{4, 1}, 5}, {{4, 2}, 4}, {{5, 0}, 5}}), 3, 6, 6},
        {{0x4020, 0x2310, 0x2010, 0x2011, 0x2110, 0x2210, 0x4030, 0x4010}, plain(3), 3, 3, 3},
        {{0x6000, 0x6110, 0x6111, 0x6120, 0x6121, 0x4D85}, plain(4), 3, 6, 6},
        {{0x4D05, 0x4D35, 0x4D55, 0x4D15, 0x4D45, 0x4D65}, bands({{{0, 0}, 3}, {{2, 0}, 4}}), 3, 6, 6},
        {{0x3560, 0x3570, 0x3540, 0x3500}, plain(6, true), 6, 6, 6},
        {{0x4D10, 0x4D30, 0x4D40}, bands({{{0, 0}, 3}, {{4, 0}, 4}, {{4, 1}, 6}, {{4, 2}, 5}, {{5, 0}, 6}}), 3, 6, 6},
        {{0x4D75, 0x5011, 0x4120}, plain(5), 3, 6, 6},
        {{0x5020, 0x5070}, bands({{{0, 0}, 3}, {{4, 0}, 4}, {{4, 1}, 5}, {{4, 2}, 4}}), 3, 6, 6},
        {{0x4D21, 0x6430}, plain(1), 3, 6, 6},
        {{0x4021, 0x2120}, plain(1), 1, 1, 1},
        {{0x5560, 0x5562}, plain(6, true), 0, 6, 6},
        {{0x4040}, plain(1), 6, 6, 6},
        {{0x2020}, bands({{{0, 0}, 5}, {{1, 1}, 6}}), 3, 6, 6},
        {{0x5210}, plain(2), 2, 2, 2},
        {{0x4210}, {{0, 0, {4, true}}, {1, 1, {6, true}}}, 3, 6, 6},
    };
    return rows;
}

}  // namespace

std::optional<SummaryLineCount> summaryLineCount(int32_t model, int32_t tab, const Record* backup) {
    for (const CountRow& row : countRows()) {
        if (std::find(row.models.begin(), row.models.end(), model) == row.models.end()) continue;
        switch (tab) {
            case kTabBasic: {
                SummaryLineCount count = row.basic.front().count;
                for (size_t i = 1; i < row.basic.size(); ++i)
                    if (from(backup, row.basic[i].major, row.basic[i].minor)) count = row.basic[i].count;
                return count;
            }
            case kTabSpeedDial: return SummaryLineCount{row.speedDial, false};
            case kTabFMRadio: return SummaryLineCount{row.fmRadio, false};
            default: return SummaryLineCount{row.other, false};
        }
    }
    return std::nullopt;
}

}  // namespace update
