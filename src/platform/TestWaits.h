// Waits that the program keeps in full for its users but that the end-to-end tests, which run the
// program itself against a simulated headset, may shorten through an environment variable whose
// name starts with VELMAR_TEST_. Unset, or not a positive count of milliseconds (every user's
// run), the program's own wait holds. In-process tests shorten waits with the virtual clock instead.
#pragma once

#include <cstdint>

namespace platform {

// The length a variable's text gives, 0 where it gives none: whole milliseconds from 1 to a minute
// (a longer "second" would only stretch the program's waits past any use, and overflow them).
int64_t testWaitFromText(const char* text);

// ms of a worker's wait (the recognition's and the firmware update's: the open retries, the
// restarts, the passes one second apart, the CSR road's manifestation wait of 50 s), in seconds
// as long as VELMAR_TEST_WORKER_SECOND_MS gives (read once per process).
int64_t workerMs(int64_t ms);

}  // namespace platform
