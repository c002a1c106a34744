// The steps that the QCC mesh headsets share with the QCC headsets with an Airoha mesh module:
// the readiness query, the Bluetooth image with its last chunk marked and the headset's restart,
// and the success end.
#pragma once

#include "update/HidPartDownload.h"

namespace update {

struct QccImageLogs {
    const char* beforeStart;  // nullptr: none
    const char* beforeLoader;
};

// 0x12: true when the run must end (failed, or the headset not ready: the failure published).
bool readinessRefused(UpdateRun& run, PartExchange& x);
// Short entry 0 with 0x05, 0x06 chunks and a 0x0E last chunk, 0x07, 0x08; the headset found again
// after its restart (else "[B][5]", the work ended without closing) and 0x0A. False with the
// failure published and the work ended.
bool writeQccBluetoothImage(UpdateRun& run, PartExchange& x, const QccImageLogs& logs);
// The end log line of both QCC mesh families.
inline constexpr const char* kQccEndLog = "--------QCC ALL_UPDATE END\n";

}  // namespace update
