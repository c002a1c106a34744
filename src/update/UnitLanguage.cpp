#include "update/UnitLanguage.h"

#include <array>
#include <cstring>

#include "platform/Log.h"
#include "transport/HidReportChannel.h"

namespace update {

namespace {

constexpr uint8_t kReadRecord = 0x03, kWriteRecord = 0x04;

struct RecordForm {
    uint8_t record;
    size_t languageByte;  // in the record's contents (reply byte 5 + this; write byte 4 + this)
    bool checkedAndWidened;
    const char* successLog;
};

constexpr RecordForm kPlain{0x04, 7, true, "bt_set_unit_language[%d]"};
constexpr RecordForm kCelvar{0x04, 7, true, "celvar bt_set_unit_language[%d]"};
constexpr RecordForm kDunvik{0x36, 3, false, "dunvik bt_set_unit_language[%d]"};

constexpr uint8_t kWidenedLength = 4;
constexpr uint8_t kWidenedBit = 0x20;
constexpr uint8_t kCodeBits = 0x1F;

bool setLanguage(const RecordForm& form, int slot, int code) {
    std::array<uint8_t, kLongRequestSize> request{};
    std::array<uint8_t, kLongReplySize> reply{};
    request[0] = 1;
    request[1] = kReadRecord;
    request[2] = form.record;
    if (!usbhid_command(slot, request.data(), reply.data())) {
        platform::logf("read fail");
        return false;
    }
    const uint8_t length = reply[4];
    if (form.checkedAndWidened && (length < 2 || length == 3)) {
        platform::logf("size error");
        return false;
    }
    const size_t replyByte = 5 + form.languageByte;
    reply[replyByte] = static_cast<uint8_t>((reply[replyByte] & ~kCodeBits) | (code & kCodeBits));
    request.fill(0);
    request[0] = 1;
    request[1] = kWriteRecord;
    std::memcpy(&request[2], &reply[3], kLongReplySize - 3);
    if (form.checkedAndWidened && length == 2) {
        request[3] = kWidenedLength;
        request[4 + form.languageByte] |= kWidenedBit;
    }
    if (!usbhid_command(slot, request.data(), reply.data())) {
        platform::logf("write error");
        return false;
    }
    platform::logf(form.successLog, code);
    return true;
}

struct NameCodes {
    const char* name;
    int plain;
    int celvar;
};

constexpr NameCodes kNames[] = {
    {"French", 1, 1},   {"German", 4, 4},  {"Italian", 3, 3},   {"Japanese", 9, 9},    {"Korean", 8, 8},
    {"Spanish", 2, 2},  {"Dutch", 5, 5},   {"Russian", 6, 6},   {"Chinese", 7, 7},     {"Finnish", 10, 10},
    {"Czech", 0, 11},   {"Danish", 0, 1},  {"Norwegian", 0, 2}, {"Swedish", 0, 3},     {"Polish", 0, 4},
    {"Turkish", 0, 5},  {"Hungarian", 0, 6}, {"Portuguese", 0, 7}, {"Hebrew", 0, 8}, {"Greek", 0, 9},
};

constexpr const char* kTags[] = {"fr", "de", "it", "jp", "kr", "es", "dc", "rs", "cn", "fn"};  // numbers 1..10
constexpr int kTagCodes[] = {1, 4, 3, 6, 5, 2, 7, 8, 9, 10};                                   // by number 1..10

const NameCodes* find(const std::string& name) {
    for (const NameCodes& n : kNames)
        if (name == n.name) return &n;
    return nullptr;
}

}  // namespace

bool UnitLanguage::bt_set_unit_language(int slot, int code) { return setLanguage(kPlain, slot, code); }
bool UnitLanguage::bt_set_unit_language_celvar(int slot, int code) { return setLanguage(kCelvar, slot, code); }
bool UnitLanguage::bt_set_unit_language_dunvik(int slot, int code) { return setLanguage(kDunvik, slot, code); }

int UnitLanguage::UnitLanguageCodeFromString(const std::string& name) {
    const NameCodes* n = find(name);
    return n ? n->plain : 0;
}

int UnitLanguage::UnitLanguageCodeFromStringForCelvar(const std::string& name) {
    platform::logf("celvar changestrLanguage[%s]", name.c_str());
    const NameCodes* n = find(name);
    return n ? n->celvar : 0;
}

int UnitLanguage::GetLanguageCodeFromIMGFileNmae(const std::string& tag) {
    for (size_t i = 0; i < std::size(kTags); ++i)
        if (tag == kTags[i]) return static_cast<int>(i) + 1;
    return 0;
}

int UnitLanguage::LanguageCodeFromString(int tagNumber) {
    if (tagNumber < 1 || tagNumber > static_cast<int>(std::size(kTagCodes))) return 0;
    return kTagCodes[tagNumber - 1];
}

}  // namespace update
