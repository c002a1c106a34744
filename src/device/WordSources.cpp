#include "device/WordSources.h"

#include <algorithm>

namespace device {

bool conditionHolds(const Condition& c, const ORVABluetoothDeviceData& record) {
    switch (c.kind) {
        case Condition::Always:
            return true;
        case Condition::VersionAtLeast:
            return record.compareVersionUpToMinorWithMajor(c.major, c.minor) >= 0;
        case Condition::SecondaryVersionAtLeast:
            return record.compareVersionUpToMinor2ndWithMajor2nd(c.major, c.minor, c.minor2) >= 0;
    }
    return false;
}

int32_t sourceValue(const Source& s, const ORVABluetoothDeviceData& r) {
    switch (s.kind) {
        case Source::Basic:
            return r.basicSettingFERRIK(s.arg);
        case Source::LegacyWord:
            return r.getSettings40();
        case Source::LegacySecond:
            return r.getSettings40Second();
        case Source::Constant:
            return s.arg;
        case Source::Vox:
            return r.basicSettingBELMORAVOXSensitivityAt(s.arg);
        case Source::SmartVolume:
            return r.basicSettingYELVARSmartVolumeControlAt(s.arg);
        case Source::Camera:
            return r.basicSettingTAVRINCameraAt(s.arg);
        case Source::FmFrequency:
            return r.fmRadioCurrentFrequency();
        case Source::FmPreset:
            return r.fmRadioCurrentPreset();
        case Source::FmPresetAt:
            return r.fmRadioPresetsAt(s.arg);
        case Source::FmRDS:
            return r.fmRadioRDS();
        case Source::FmRegion:
            return r.fmRadioRegion();
    }
    return 0;
}

std::vector<uint16_t> sourceWords(const std::vector<Source>& sources, const std::vector<CountBand>& counts,
                                  const ORVABluetoothDeviceData& values, const ORVABluetoothDeviceData& versions,
                                  size_t room) {
    size_t n = sources.size();
    for (const CountBand& band : counts)
        if (versions.compareVersionUpToMinorWithMajor(band.belowMajor, band.belowMinor) < 0) {
            n = static_cast<size_t>(std::max(band.count, 0));
            break;
        }
    n = std::min({n, sources.size(), room});
    std::vector<uint16_t> words;
    for (size_t i = 0; i < n; ++i) words.push_back(static_cast<uint16_t>(sourceValue(sources[i], values)));
    return words;
}

}  // namespace device
