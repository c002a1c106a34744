// The recognition worker: finds the connected headset, takes the HID road (probe, identification,
// versions, settings, FM block and speed dials) or the USB road, and reports through the page's
// fields. Runs on its own thread; blocking I/O only here.
#pragma once

#include "recognition/RecognitionContext.h"

namespace recognition {

// The whole run: entry, HID probe, road, end. Sets ctx.page.resultThreadRecognize last.
void threadMethodRecognize(RecognitionContext& ctx);

// ---- steps of the HID road, in the order the worker runs them -----------------------------------

// Controller flags (FM radio page, motion sensor, speaker type, device info) and the headset's
// name into the record. Never fails the run.
void identifyHidHeadset(RecognitionContext& ctx);
// DORSK hold, main version and language pack, the second firmware block (second interface or
// mesh module). False when the main firmware version could not be read: the run then ends as a
// failure with the status the step has filled.
bool readHidVersions(RecognitionContext& ctx);
// The FM radio block (key 0x44, or key 0x08 over format B) and the three speed dials.
void readHidFmAndSpeedDials(RecognitionContext& ctx);

}  // namespace recognition
