// The two settings steps of the HID road: a restored backup written into the headset, then the
// headset's settings read into the controller's record.
#include "platform/Log.h"
#include "recognition/HidSettingsWalk.h"

namespace recognition {

void writeRestoredSettingsToHid(RecognitionContext& ctx) {
    if (!ctx.backup) {
        platform::logLine("ASDP v (null)");
        return;
    }
    const device::ORVABluetoothDeviceData& backup = *ctx.backup;
    platform::logf("ASDP v <ORVABluetoothDeviceData deviceRecognized=%04X>", backup.deviceRecognized());
    // A backup holds one model's words: written into another model they would mean other
    // settings, so only the backup's own model (or a sibling code of it) takes it.
    if (!ctx.controller.isDeviceTargetSameAs(backup.deviceRecognized())) {
        platform::logf("ASDP skipped: the backup of %04X does not fit the headset %04X",
                       backup.deviceRecognized(), ctx.deviceTarget());
        return;
    }
    writeHidSettingBlocks(ctx, backup);
}

void readHidSettings(RecognitionContext& ctx) {
    const int32_t target = ctx.deviceTarget();
    platform::logf("ASDPj %X", target);
    readHidAddress(ctx);
    LegacyValues unused{};
    for (const ReadOrder& row : hidFirstReadSteps())
        if (holds(row.ids, target)) walkReadOrder(ctx, row, unused);

    // Every family block starts from a read of key 0x04.
    ctx.request[0] = 1;
    ctx.request[1] = 0x03;
    ctx.request[2] = 0x04;
    LegacyValues legacy{};
    walkReadOrder(ctx, hidReadOrderFor(target), legacy);
    storeLegacyValues(ctx.data(), legacy);
    readHidFmKey15(ctx);
}

}  // namespace recognition
