// The record's settings that the HID reads fill, as named values, so that a test compares whole
// records and a failure names the field that differs.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "device/ORVABluetoothDeviceData.h"

namespace recognition::testing {

using Record = device::ORVABluetoothDeviceData;
using Fields = std::map<std::string, int32_t>;

#define HID_TEST_LEGACY_FIELDS(X)                                                                     \
    X(intercomVOX, IntercomVOX)                                                                       \
    X(handsfreeVOX, HandsfreeVOX) X(edr, Edr) X(voicePrompt, VoicePrompt) X(plc, Plc)                 \
        X(bitpoolRate, BitpoolRate) X(microphoneBoost, MicrophoneBoost) X(sidetone, Sidetone)         \
            X(advancedNoiseControl, AdvancedNoiseControl) X(autoGainControl, AutoGainControl)         \
                X(audioBoost, AudioBoost) X(hdIntercom, HdIntercom) X(fmStationGuide, FmStationGuide) \
                    X(hdVoice, HdVoice) X(smartNaviSystem, SmartNaviSystem)                           \
                        X(audioSourcePriority, AudioSourcePriority) X(audioOverlay, AudioOverlay)     \
                            X(autoOnOff, AutoOnOff) X(autoStartRecording, AutoStartRecording)

inline Fields fieldsOf(const Record& r) {
    Fields f;
    auto indexed = [&](const char* name, int count, auto get) {
        for (int i = 0; i < count; ++i) f[std::string(name) + "[" + std::to_string(i) + "]"] = get(i);
    };
    indexed("basic", Record::kBasicSettingWords, [&](int i) { return r.basicSettingFERRIK(i); });
    indexed("vox", Record::kVOXSensitivityWords,
            [&](int i) { return r.basicSettingBELMORAVOXSensitivityAt(i); });
    indexed("smartVolume", Record::kSmartVolumeWords,
            [&](int i) { return r.basicSettingYELVARSmartVolumeControlAt(i); });
    indexed("camera", Record::kCameraWords, [&](int i) { return r.basicSettingTAVRINCameraAt(i); });
    indexed("fmPreset", Record::kFMPresets, [&](int i) { return r.fmRadioPresetsAt(i); });
#define HID_TEST_FIELD(name, Name) f[#name] = r.name();
    HID_TEST_LEGACY_FIELDS(HID_TEST_FIELD)
#undef HID_TEST_FIELD
    f["backgroundVolume"] = r.backgroundVolume();
    f["fmMagic"] = r.fmRadioMagicCode();
    f["fmFrequency"] = r.fmRadioCurrentFrequency();
    f["fmCurrentPreset"] = r.fmRadioCurrentPreset();
    f["fmRDS"] = r.fmRadioRDS();
    f["fmRegion"] = r.fmRadioRegion();
    return f;
}

// The names of the legacy fields, for tables that list some of them.
inline const std::vector<std::string>& legacyFieldNames() {
    static const std::vector<std::string> names = {
#define HID_TEST_NAME(name, Name) #name,
        HID_TEST_LEGACY_FIELDS(HID_TEST_NAME)
#undef HID_TEST_NAME
    };
    return names;
}

// Sets one named field (the names of fieldsOf).
inline void setField(Record& r, const std::string& name, int32_t v) {
    auto indexOf = [&](const std::string& prefix) -> int {
        return name.rfind(prefix + "[", 0) == 0 ? std::stoi(name.substr(prefix.size() + 1)) : -1;
    };
    if (int i = indexOf("basic"); i >= 0) return r.setBasicSetting20At(i, v);
    if (int i = indexOf("vox"); i >= 0) return r.setBasicSettingBELMORAVOXSensitivity(i, v);
    if (int i = indexOf("smartVolume"); i >= 0) return r.setBasicSettingYELVARSmartVolumeControl(i, v);
    if (int i = indexOf("camera"); i >= 0) return r.setBasicSettingTAVRINCamera(i, v);
    if (int i = indexOf("fmPreset"); i >= 0) return r.setFmRadioPresetsAt(i, v);
#define HID_TEST_SET(field, Name) \
    if (name == #field) return r.set##Name(v);
    HID_TEST_LEGACY_FIELDS(HID_TEST_SET)
#undef HID_TEST_SET
    if (name == "backgroundVolume") return r.setBackgroundVolume(v);
    if (name == "fmMagic") return r.setFmRadioMagicCode(v);
    if (name == "fmFrequency") return r.setFmRadioCurrentFrequency(v);
    if (name == "fmCurrentPreset") return r.setFmRadioCurrentPreset(v);
    if (name == "fmRDS") return r.setFmRadioRDS(v);
    if (name == "fmRegion") return r.setFmRadioRegion(v);
    ADD_FAILURE() << "no field " << name;
}

using Names = std::vector<std::string>;

// The fifteen fields of a fully decoded legacy word (bits 0-6 and 8-15).
inline Names fullLegacyWordFields() {
    return {"handsfreeVOX", "intercomVOX",     "edr",      "voicePrompt",          "plc",
            "bitpoolRate",  "microphoneBoost", "sidetone", "advancedNoiseControl", "audioBoost",
            "hdIntercom",   "fmStationGuide",  "hdVoice",  "audioSourcePriority",  "audioOverlay"};
}

inline Names minus(Names from, const Names& out) {
    std::erase_if(from,
                  [&](const std::string& n) { return std::find(out.begin(), out.end(), n) != out.end(); });
    return from;
}

inline Names plus(Names to, const Names& more) {
    to.insert(to.end(), more.begin(), more.end());
    return to;
}

}  // namespace recognition::testing
