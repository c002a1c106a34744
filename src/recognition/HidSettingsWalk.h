// The routines that walk the HID settings tables (HidSettingOrders.h) for one recognition run.
// writeRestoredSettingsToHid and readHidSettings (RecognitionContext.h) are made of these.
#pragma once

#include "device/ORVABluetoothDeviceData.h"
#include "recognition/HidSettingOrders.h"
#include "recognition/RecognitionContext.h"

namespace recognition {

// Whether a step's firmware condition holds for the headset whose versions `data` holds.
using device::conditionHolds;

// The backup's settings into the headset by the write order of ctx.deviceTarget(); results are
// not tested (the read that follows shows what the headset took).
void writeHidSettingBlocks(RecognitionContext& ctx, const device::ORVABluetoothDeviceData& backup);

// The Bluetooth address (and, for 0x4210, its OEM key) into ctx.data().
void readHidAddress(RecognitionContext& ctx);
// The steps of one table row that apply to ctx.deviceTarget(), in order; the legacy values they
// decode are gathered in `legacy` (failure values included).
void walkReadOrder(RecognitionContext& ctx, const ReadOrder& order, LegacyValues& legacy);
// The nineteen on/off settings into ctx.data(), in their storing order.
void storeLegacyValues(device::ORVABluetoothDeviceData& data, const LegacyValues& legacy);
// The FM radio over key 0x15 (or its stand-in) that follows the family block.
void readHidFmKey15(RecognitionContext& ctx);

}  // namespace recognition
