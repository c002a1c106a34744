// The server's firmware lists: "Firmware" (the update page takes the model's newest firmware,
// one file per voice-prompt language) and "Revisions" (the restore page looks for the firmware
// that the settings backup was made on). ASCII lines of ":"-separated fields. Plain C++: the page's
// list worker runs these on its own thread and hands the result over once the walk is done.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/KeyedArchive.h"

namespace update {

struct FirmwareVersion {
    int32_t major = 0, minor = 0, secondaryType = 0, secondary = 0;
    bool operator==(const FirmwareVersion&) const = default;
};

// A change of the language pop-up, in the order the worker posts them to the main thread.
struct PopUpChange {
    enum class Kind { RemoveAll, Add, Select } kind;
    std::string title;  // Add: the line's English language name
    int index = 0;      // Select
    bool operator==(const PopUpChange&) const = default;
};

// What one walk over a list found.
struct FirmwareListRead {
    // The version fields as the walk left them (they start as given).
    FirmwareVersion latest;
    // The chosen firmware's file below the server's base; none when no line of the model matched.
    platform::OptString fileNameLatestVersion;
    // One entry per language line of the model, same order as the pop-up's items.
    std::vector<std::string> arrFileNamesLatestVersion;
    std::vector<std::string> arrLanguageFirmware;
    std::vector<PopUpChange> popUp;
    // Restore list: a revision equal to the backup's version is listed.
    bool restorePossible = false;
};

// The lines of a list: split at "\r\n", or at "\n" when that gives fewer than 2 pieces.
std::vector<std::string> firmwareListLines(const std::string& body);
// Only ASCII bodies are lists; anything else counts as no body.
bool isAsciiList(const std::string& body);

// The version field (its first character, the "v", dropped) into the version: two "."-parts set
// major and minor, or for the camera model four parts set secondary type, secondary, major,
// minor; any other field (an empty one included) changes nothing.
bool parseVersionField(const std::string& field, bool nelvar, FirmwareVersion& version);

// Both walks take a line whose version components (or secondary number) lie outside 0 to 9999 as
// a malformed line: it ends a block in progress and is otherwise skipped.

// The update page's walk. strLanguageFirmware: the last chosen firmware language (any case).
FirmwareListRead readUpdateList(const std::string& body, const std::string& internalName, bool nelvar,
                                const std::string& strLanguageFirmware, FirmwareVersion start);

// The restore page's walk: the revision of the backup's version (major.minor; all four parts for
// the camera model). A match on the list's last line counts too.
FirmwareListRead readRestoreList(const std::string& body, const std::string& internalName, bool nelvar,
                                 const FirmwareVersion& backup, const std::string& strLanguageFirmware,
                                 FirmwareVersion start);

// The language item to preselect for the interface language's English name: the first entry
// equal to it ignoring case, else -1 (the selection stays).
int preselectedLanguage(const std::vector<std::string>& arrLanguageFirmware, const std::string& strLanguageManager);

}  // namespace update
