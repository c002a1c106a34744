// Reset of the device record to a model's factory settings: the basic settings (walking the table of
// DefaultSettingsTable.cpp), the FM page, the speed dials, and the factories of default records.
#include "device/DefaultSettings.h"

#include <algorithm>
#include <array>

namespace device {

namespace {

using namespace defaults;

bool bandApplies(const Since& since, const R& record, int32_t major, int32_t minor) {
    switch (since.source) {
        case VersionSource::Always:
            return true;
        case VersionSource::Arguments:
            return R::compareVersionUpToMinorMajor(major, minor, since.major, since.minor) >= 0;
        case VersionSource::RecordSecondary:
            return record.compareVersionUpToMinor2ndWithMajor2nd(since.major, since.minor, since.secondary) >=
                   0;
        case VersionSource::RecordTyped:
            return R::compareVersionMajor(record.deviceVersionMajor(), record.deviceVersionMinor(),
                                          record.deviceSecondaryVersionType(),
                                          record.deviceSecondaryVersion(), since.major, since.minor,
                                          since.secondaryType, since.secondary, false) >= 0;
    }
    return false;
}

// The writes a reset makes, the last band that names a field winning.
class Plan {
  public:
    void put(const Field& field, int32_t value) {
        auto it = find(field);
        if (it != writes_.end()) {
            it->value = value;
        } else {
            writes_.push_back({field, value});
        }
    }
    void drop(const Field& field) {
        auto it = find(field);
        if (it != writes_.end()) writes_.erase(it);
    }
    void putFMBlock(const FMBlock& fm) {
        put(fmRadioRegion, 0);
        put(fmRadioMagicCode, kFMMagicCode);
        put(fmRadioCurrentFrequency, 0);
        put(fmRadioCurrentPreset, 0);
        for (int i = 0; i < fm.presets; ++i) put(fmRadioPreset(i), 0);
        put(fmRadioRDS, fm.rds);
    }
    void applyTo(R& record) const {
        for (const Write& w : writes_) w.field.write(record, w.value);
    }

  private:
    std::vector<Write>::iterator find(const Field& field) {
        return std::find_if(writes_.begin(), writes_.end(), [&](const Write& w) { return w.field == field; });
    }
    std::vector<Write> writes_;
};

const Row* rowOf(int32_t productId) {
    for (const Row& row : table()) {
        if (std::find(row.ids.begin(), row.ids.end(), productId) != row.ids.end()) return &row;
    }
    return nullptr;
}

void applyRow(const Row& row, R& record, int32_t major, int32_t minor) {
    Plan plan;
    for (const Band& band : row.bands) {
        if (!bandApplies(band.since, record, major, minor)) continue;
        if (band.fm.presets > 0) plan.putFMBlock(band.fm);
        for (const Write& w : band.set) plan.put(w.field, w.value);
        for (const Field& f : band.unset) plan.drop(f);
    }
    plan.applyTo(record);
}

// The FM page's own list of six-preset models. Unlike the copies' list it also names 0x602E.
bool fmPageHasSixPresets(int32_t productId) {
    static constexpr std::array<int32_t, 12> kIds = {0x6010, 0x6012, 0x6014, 0x6016, 0x6018, 0x6026,
                                                     0x6028, 0x602E, 0x6030, 0x6032, 0x6034, 0x6036};
    return std::find(kIds.begin(), kIds.end(), productId) != kIds.end();
}

}  // namespace

void ORVABluetoothDeviceData::initializeObjectWithDevice(int32_t device, int32_t VersionMajor,
                                                         int32_t Minor) {
    for (int i = 0; i < kBasicSettingWords; ++i) setBasicSetting20At(i, 0);
    for (int i = 0; i < kVOXSensitivityWords; ++i) setBasicSettingBELMORAVOXSensitivity(i, 0);
    for (int i = 0; i < kSmartVolumeWords; ++i) setBasicSettingYELVARSmartVolumeControl(i, 0);
    for (int i = 0; i < kCameraWords; ++i) setBasicSettingTAVRINCamera(i, 0);
    if (const Row* row = rowOf(device)) applyRow(*row, *this, VersionMajor, Minor);
    initializeSpeedDialObjectWithDevice(device, VersionMajor, Minor);
}

void ORVABluetoothDeviceData::initializeSecondObjectWithDevice(int32_t device, int32_t VersionMajor,
                                                               int32_t Minor) {
    bool regionOne = device == 0x4210 && compareVersionUpToMinorMajor(VersionMajor, Minor, 1, 1) >= 0;
    setFmRadioRegion(regionOne ? 1 : 0);
    // The preset count follows the recognised model, not the argument.
    int presets = fmPageHasSixPresets(deviceRecognized()) ? 6 : kFMPresets;
    for (int i = 0; i < presets; ++i) setFmRadioPresetsAt(i, 0);
    setFmRadioRDS(0);
}

void ORVABluetoothDeviceData::initializeSpeedDialObjectWithDevice(int32_t, int32_t, int32_t) {
    for (int i = 0; i < kSpeedDials; ++i) setSpeedDialAt(i, std::string());
}

ORVABluetoothDeviceData ORVABluetoothDeviceData::makeDefaultDataWithSource(
    const ORVABluetoothDeviceData& source) {
    ORVABluetoothDeviceData record;
    record.copyWithSource(source, true);
    record.initializeObjectWithDevice(source.deviceRecognized(), source.deviceVersionMajor(),
                                      source.deviceVersionMinor());
    return record;
}

ORVABluetoothDeviceData ORVABluetoothDeviceData::makeDefaultSecondDataWithSource(
    const ORVABluetoothDeviceData& source) {
    ORVABluetoothDeviceData record;
    record.copyWithSource(source, true);
    record.initializeSecondObjectWithDevice(source.deviceRecognized(), source.deviceVersionMajor(),
                                            source.deviceVersionMinor());
    return record;
}

ORVABluetoothDeviceData ORVABluetoothDeviceData::makeDefaultSpeedDialDataWithSource(
    const ORVABluetoothDeviceData& source) {
    ORVABluetoothDeviceData record;
    record.copyWithSource(source, true);
    record.initializeSpeedDialObjectWithDevice(source.deviceRecognized(), source.deviceVersionMajor(),
                                               source.deviceVersionMinor());
    return record;
}

}  // namespace device
