#include "app/ManagerUpdateTexts.h"

#include "app/AppTexts.h"
#include "app/TextCatalogue.h"
#include "app/TextFormat.h"

namespace app {

namespace {

// This program's own version, named in the last sentence of the offer.
constexpr int kRunningMajor = 1;
constexpr int kRunningMinor = 0;
constexpr const char* kRunningSuffix = "";

}  // namespace

std::string ManagerUpdateTexts::instruction(int language, int32_t major, int32_t minor, int32_t secondary) {
    std::string suffix = secondary >= 1 ? "." + std::to_string(secondary) : std::string();
    std::string title = AppTexts::qelm_title({}, language);
    return formatText(
        localizedText(TextId::manager_update_instruction, language),
        {title, title, major, minor, suffix, AppTexts::qelm_string_yes_in(language),
         AppTexts::qelm_string_no_in(language), title, kRunningMajor, kRunningMinor, kRunningSuffix});
}

std::string ManagerUpdateTexts::releaseNotesTitle() {
    return std::string(localizedText(TextId::release_notes, 0));
}

}  // namespace app
