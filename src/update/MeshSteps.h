// The steps that the mesh-module families share: commands with a cleared request, the searches
// for a device that comes and goes on the bus, the module's image written plainly or with a CRC
// check per chunk and per image, the handovers between the headset and the 0x3120 module, the
// headset's parts with their step tags, and the loader's restart.
#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>

#include "update/ArchiveLayout.h"
#include "update/CameraCopy.h"
#include "update/HidPartDownload.h"

namespace update {

constexpr size_t kMeshChunkMax = 58;
// The tries of a search for a device that should be there by now.
constexpr int kMeshSearchTries = 20;

// Byte 0 = 1, byte 1 = cmd, the request after byte 1 cleared, then args from byte 2; slot 0.
bool meshCommand(PartExchange& x, uint8_t cmd, std::initializer_list<uint8_t> args = {});

// Closes both slots, then up to `tries` opens, each miss followed by a close and a second.
bool findDevice(UpdateRun& run, HeadsetOpener open, int tries);
// "%@. %@. %@." with "Cannot get status" and "Try again", the tag glued on; the end with HID.
void failSearch(UpdateRun& run, const std::string& tag);

struct MeshVersion {
    int32_t major = 1, minor = 0, type = 0, secondary = 0, build = 0;  // what a failed read counts as
};
MeshVersion readMeshVersion(PartExchange& x);
// A module from 1.0 type 2 secondary 1 on checks every chunk and the whole image.
bool takesCheckedWrite(const MeshVersion& v);

enum class ImageResult { written, sendFailed, waitFailed, unverified };

// The chunks as module records without checks; an empty image sends nothing.
ImageResult writePlainImage(UpdateRun& run, PartExchange& x, const unsigned char* data, size_t length);
// Up to six attempts of the whole image: each chunk checked by 0x5A (sent again after a failed
// check, at most kChunkResends times in a row, which ends the attempt), the image by 0x5B over
// the accepted chunks. The iM501 form ends an attempt's chunks at the first failed send, wait or
// check and verifies what was accepted so far.
enum class CheckedForm { mesh, im501 };
ImageResult writeCheckedImage(UpdateRun& run, PartExchange& x, const unsigned char* data, size_t length,
                              CheckedForm form);
constexpr int kChunkResends = 10;

// From the headset's 0x50 to the 0x3120 module found again after its restart: the module image
// written, the module restarted under the headset's power hold and switched on again. False with
// the failure published and the work ended.
bool updateMeshModuleImage(UpdateRun& run, PartExchange& x, const unsigned char* data, size_t length);

// A headset part: 0x05 with its selector, the chunks, 0x07; the tag of the failed step or none.
struct PartTags {
    const char* start;
    const char* send;
    const char* wait;
    const char* end;
};
const char* writeTaggedPart(UpdateRun& run, PartExchange& x, uint8_t selector, const unsigned char* data,
                            size_t length, const PartTags& tags);

// The Bluetooth parts' tags of the mesh headsets with an iM501 and of the Airoha mesh headsets.
inline constexpr PartTags kBluetoothPartTags{"[1][50]", "[2]", "[3]", "[4]"};

// Long-table entries 0 to count-1 as headset parts, each part of kind 1 followed by the
// voice-prompt mount check when asked (a part that does not mount is written again, at most
// kMountRewrites times, then "[80]"). Whether a part of kind 0 asked for the loader, or none with
// the failure published and the work ended.
std::optional<bool> writeHeadsetParts(UpdateRun& run, PartExchange& x, const ArchiveLayout& layout, int32_t count,
                                      const PartTags& tags, bool mountCheck);
constexpr int kMountRewrites = 10;

// 0x08 when a part asked for the loader (failure [5]); then the headset's restart waited for and
// the headset opened again (failure [6]). False with the failure published and the work ended.
bool runLoaderAndReopen(UpdateRun& run, PartExchange& x, bool finish);

// The failure tags of the mesh camera headsets' camera copy.
extern const CameraCopyTags kMeshCameraCopyTags;

// The end of a mesh headset's run once it is back: HID closed, the log line when given, 89 when
// asked, the code 0, 99, a second, 100.
void succeedMeshRun(UpdateRun& run, const char* endLog, bool throughRestartedPhase);

// The voice-prompt language code that a firmware file's name carries ("..._fr.img"), 0 without.
int languageCodeOfFileName(const std::string& path);

}  // namespace update
