// The headset's voice-prompt language: read-modify-write of its configuration record over format
// A, and the lookups from an English language name or a firmware file's language tag to the
// headset's code. Callable from the worker's thread; each talks only to the slot it is given.
#pragma once

#include <cstdint>
#include <string>

namespace update {

struct UnitLanguage {
    // Record 0x04 (length-checked, a length-2 record widened); YES when read and written back.
    static bool bt_set_unit_language(int slot, int code);
    static bool bt_set_unit_language_celvar(int slot, int code);
    // Record 0x36, neither checked nor widened.
    static bool bt_set_unit_language_dunvik(int slot, int code);

    // Exact, case-sensitive names; any other name gives 0.
    static int UnitLanguageCodeFromString(const std::string& name);
    static int UnitLanguageCodeFromStringForCelvar(const std::string& name);
    // A firmware image name's language tag ("fr" ... "fn") to its number, 0 for any other.
    static int GetLanguageCodeFromIMGFileNmae(const std::string& tag);
    // That number to the headset's code, 0 outside 1 to 10.
    static int LanguageCodeFromString(int tagNumber);
};

}  // namespace update
