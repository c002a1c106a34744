// The keyed-archive decoder as the configuration and the settings-backup loaders use it.
#include <cstddef>
#include <cstdint>

#include "device/ORVABluetoothDeviceData.h"
#include "platform/KeyedArchive.h"

namespace {

// The configuration's keys by the type the start-up decodes them as.
const char* const kStringKeys[] = {"keyStrManagerVersion", "keyStrLanguageManager", "keyStrRestartDFUFirmwareFile",
                                   "keyStrLanguageFirmware"};
const char* const kBoolKeys[] = {"keyEncrypted", "keyApplyToLanguageFirmware", "keyRestartToRecover"};
const char* const kIntKeys[] = {"keyDeviceTarget", "keyModeRestartToRecover", "keyIndexRestartDFUFirmwareLanguage",
                                "keyDeviceVersionMajorRestartDFU", "keyDeviceVersionMinorRestartDFU",
                                "keyDeviceSecondaryVersionTypeRestartDFU", "keyDeviceSecondaryVersionRestartDFU"};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const platform::Bytes bytes(data, data + size);
    try {
        platform::KeyedUnarchiver coder(bytes, "ORVABluetoothManagerAppController");
        for (const char* k : kStringKeys) (void)coder.decodeStringForKey(k);
        for (const char* k : kBoolKeys) (void)coder.decodeBoolForKey(k);
        for (const char* k : kIntKeys) (void)coder.decodeInt32ForKey(k);
    } catch (const platform::ArchiveError&) {
    }
    try {
        (void)device::ORVABluetoothDeviceData::unarchiveFromData(bytes);
    } catch (const platform::ArchiveError&) {
    }
    return 0;
}
