// The two reads of HID user keys that the device settings page offers the recognition worker:
// whether the headset has an FM radio page, and its speaker or hardware variant. Both talk to
// HID slot 0 as the caller left it open.
#pragma once

#include <cstdint>

namespace recognition {

// 3 (show the FM radio page) or 4 (hide it), for the controller's fmRadioShowAndHide.
int32_t get_device_info_for_fm_radio_with_pskey(int32_t productId);
// 0, 1, 2, 6 or 7, for the controller's deviceInfoStatus.
int32_t get_device_info_for_hd_speaker_with_pskey(int32_t productId);

}  // namespace recognition
