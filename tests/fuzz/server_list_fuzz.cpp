// The server's version lists.
#include <cstdint>
#include <string>

#include "recognition/ManagerVersionList.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string body(reinterpret_cast<const char*>(data), size);
    const auto text = recognition::asciiText(body);
    const auto latest = recognition::parseManagerVersionList(text, "https://server/");
    (void)recognition::offersManagerUpdate(latest);
    return 0;
}
