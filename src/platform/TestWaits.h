// Waits that the program keeps in full for its users but that the end-to-end tests, which run the
// program itself against a simulated headset, may shorten. Each is set by an environment variable
// whose name starts with VELMAR_TEST_; the table in TestWaits.cpp is the one list of them. Unset,
// or not a positive count of milliseconds (every user's run), the program's own wait holds.
// In-process tests shorten waits with the virtual clock instead.
#pragma once

#include <cstdint>

namespace platform {

enum class TestWait {
    // VELMAR_TEST_WORKER_SECOND_MS: how long a second of the recognition's and the firmware
    // update's own waits lasts (the open retries, the restarts, the passes one second apart, the
    // CSR road's manifestation wait of 50 s).
    WorkerSecond,
};

// The length a variable's text gives, 0 where it gives none: whole milliseconds from 1 to a minute
// (a longer "second" would only stretch the program's waits past any use, and overflow them).
int64_t testWaitFromText(const char* text);

// programMs, or the length the environment gives this wait (read once per process).
int64_t waitMs(TestWait which, int64_t programMs);

// ms of a worker's wait, in seconds of the length WorkerSecond gives.
int64_t workerMs(int64_t ms);

}  // namespace platform
