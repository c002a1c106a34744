// Texts of the manager-update page: the offer of a newer manager and the release-notes button.
#pragma once

#include <cstdint>
#include <string>

namespace app {

class ManagerUpdateTexts {
  public:
    // The offer of version major.minor (".secondary" when secondary is 1 or more) in a language,
    // naming YES and NO in that language and this running version, v1.0.
    static std::string instruction(int language, int32_t major, int32_t minor, int32_t secondary);
    // The release-notes button's title (the same in every language).
    static std::string releaseNotesTitle();
};

}  // namespace app
