// Class operations of the device record that pages and workers share: version parsing and
// comparison, transmit-gain levels, FM preset checks, tab texts, speed-dial conversion and the
// camera volume lookup.
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <optional>
#include <vector>

#include "device/ORVABluetoothDeviceData.h"
#include "platform/MountedVolumes.h"

namespace device {

using R = ORVABluetoothDeviceData;

namespace {

// Splits at "." and reads each part as a leading decimal integer (a part without one is 0); none
// when a part's number lies outside 0 to 9999.
std::optional<std::vector<int32_t>> versionParts(const std::string& text) {
    std::vector<int32_t> parts;
    size_t start = 0;
    while (true) {
        size_t dot = text.find('.', start);
        const auto part = R::versionComponent(text.substr(start, dot == std::string::npos ? std::string::npos : dot - start));
        if (!part) return std::nullopt;
        parts.push_back(*part);
        if (dot == std::string::npos) break;
        start = dot + 1;
    }
    return parts;
}

// The difference a - b, held within 32 bits: its sign is always that of the true difference.
int32_t difference(int32_t a, int32_t b) {
    const int64_t d = int64_t{a} - b;
    return static_cast<int32_t>(std::clamp<int64_t>(d, INT32_MIN, INT32_MAX));
}

int32_t upToMinor(int32_t aMajor, int32_t aMinor, int32_t bMajor, int32_t bMinor) {
    return aMajor != bMajor ? difference(aMajor, bMajor) : difference(aMinor, bMinor);
}

// Secondary type 1 (a pre-release) ranks below type 0.
int32_t typeRank(int32_t type) { return type == 1 ? -1 : type; }

int sign(int64_t v) { return v > 0 ? 1 : v < 0 ? -1 : 0; }

const char* const kRTGTexts[13][3] = {
    {"Low", "Medium", "High"},
    {"Faible", "Moyen", "Élevé"},
    {"Niedrig", "Mittel", "Hoch"},
    {"Basso", "Medio", "Alto"},
    {"低", "中", "高"},
    {"낮음", "보통", "높음"},
    {"Baja", "Media", "Alta"},
    {"Laag", "Gemiddeld", "Hoog"},
    {"Низкий", "Средний", "высокий"},
    {"低", "中", "高"},
    {"Matala", "Keskisuuri", "Korkea"},
    {"Nízká", "Střední", "Vysoká"},
    {"Niskie", "Średnie", "Wysokie"},
};

const R::FMBand kFMBands[6] = {
    {7600, 10800, 10}, {8750, 10790, 20}, {8750, 10800, 10}, {8750, 10790, 20}, {8750, 10800, 10}, {7600, 9500, 10},
};

const char* const kTabTexts[13][3] = {
    {"Basic", "Speed Dial", "FM Radio"},
    {"Basique", "Appel Rapide", "Radio FM"},
    {"Basic", "Kurzwahl", "UKW-Radio"},
    {"Base", "Chiamata Rapida", "Radio FM"},
    {"基本", "Speedダイヤル", "FMラジオ"},
    {"기본", "스피드 다이얼", "FM 라디오"},
    {"Básico", "Marcación Rápida", "Radio FM"},
    {"Basis", "Snelkeuze", "FM-radio"},
    {"Основной", "Быстрый Набор", "FM-радио"},
    {"基本", "快速拨号", "FM 广播"},
    {"Perus", "Pikavalinta", "Radio"},
    {"Základní", "Rychlé vytáčení", "FM rádio"},
    {"Podstawowe", "Szybkie wybieranie", "Radio FM"},
};
const char* const kTabKeys[3] = {"B", "S", "F"};
const char* const kTabShortcuts[3] = {"[S][C]-B", "[S][C]-S", "[S][C]-F"};

// Whole-sequence UTF-8 validation (no overlongs, no surrogates, nothing above U+10FFFF).
bool validUTF8(const std::string& s) {
    size_t i = 0;
    while (i < s.size()) {
        unsigned char c = static_cast<unsigned char>(s[i]);
        size_t n;
        uint32_t cp;
        if (c < 0x80) { ++i; continue; }
        if ((c & 0xE0) == 0xC0) n = 1, cp = c & 0x1F;
        else if ((c & 0xF0) == 0xE0) n = 2, cp = c & 0x0F;
        else if ((c & 0xF8) == 0xF0) n = 3, cp = c & 0x07;
        else return false;
        if (i + n >= s.size()) return false;
        for (size_t k = 1; k <= n; ++k) {
            unsigned char d = static_cast<unsigned char>(s[i + k]);
            if ((d & 0xC0) != 0x80) return false;
            cp = (cp << 6) | (d & 0x3F);
        }
        if ((n == 1 && cp < 0x80) || (n == 2 && cp < 0x800) || (n == 3 && cp < 0x10000) || cp > 0x10FFFF ||
            (cp >= 0xD800 && cp <= 0xDFFF))
            return false;
        i += n + 1;
    }
    return true;
}

}  // namespace

// ---- versions ---------------------------------------------------------------------------------

std::optional<int32_t> R::versionComponent(const std::string& text) {
    // Out of range, strtoll gives LLONG_MIN or LLONG_MAX, which the bounds refuse too.
    const long long v = std::strtoll(text.c_str(), nullptr, 10);
    if (v < 0 || v > kMaxVersionComponent) return std::nullopt;
    return static_cast<int32_t>(v);
}

bool R::versionInRange(const std::string& text) { return versionParts(text).has_value(); }

bool R::getVersionFromString(const std::string& text, int32_t* ToMajor, int32_t* Minor) {
    auto parts = versionParts(text);
    if (!parts || parts->size() != 2) return false;
    *ToMajor = (*parts)[0];
    *Minor = (*parts)[1];
    return true;
}

bool R::getVersionFromString(const std::string& text, int32_t* ToSecondaryType, int32_t* Secondary, int32_t* Major,
                             int32_t* Minor) {
    auto parts = versionParts(text);
    if (!parts || parts->size() != 4) return false;
    *ToSecondaryType = (*parts)[0];
    *Secondary = (*parts)[1];
    *Major = (*parts)[2];
    *Minor = (*parts)[3];
    return true;
}

int32_t R::compareVersionUpToMinorMajor(int32_t aMajor, int32_t aMinor, int32_t WithMajor, int32_t Minor) {
    return upToMinor(aMajor, aMinor, WithMajor, Minor);
}

int32_t R::compareVersionUpToMinorMajor(int32_t aMajor, int32_t aMinor, int32_t aMinor2nd, int32_t WithMajor,
                                        int32_t Minor, int32_t Minor2nd) {
    int32_t r = upToMinor(aMajor, aMinor, WithMajor, Minor);
    return r != 0 ? r : upToMinor(aMinor2nd, 0, Minor2nd, 0);
}

int32_t R::compareVersionMajor(int32_t aMajor, int32_t aMinor, int32_t aType, int32_t aSecondary,
                               int32_t WithVersionMajor, int32_t Minor, int32_t SecondaryVersionType,
                               int32_t SecondaryVersion, bool ForNelvar) {
    if (ForNelvar) {
        // The camera's secondary pair is the more significant part.
        int32_t r = upToMinor(aType, aSecondary, SecondaryVersionType, SecondaryVersion);
        return r != 0 ? r : upToMinor(aMajor, aMinor, WithVersionMajor, Minor);
    }
    int32_t r = upToMinor(aMajor, aMinor, WithVersionMajor, Minor);
    if (r != 0) return r;
    int rank = sign(int64_t{typeRank(aType)} - typeRank(SecondaryVersionType));
    if (aType != SecondaryVersionType && rank != 0) return rank;
    return sign(int64_t{aSecondary} - SecondaryVersion);
}

int32_t R::downGradeFERRIKEVOCompareVersionMajor(int32_t aMajor, int32_t aMinor, int32_t, int32_t aSecondary,
                                                 int32_t WithVersionMajor, int32_t Minor, int32_t,
                                                 int32_t SecondaryVersion) {
    int32_t r = upToMinor(aMajor, aMinor, WithVersionMajor, Minor);
    return r != 0 ? r : upToMinor(aSecondary, 0, SecondaryVersion, 0);
}

int32_t R::compareVersionWithVersionMajor(int32_t major, int32_t Minor, int32_t SecondaryVersionType,
                                          int32_t SecondaryVersion) const {
    return compareVersionMajor(deviceVersionMajor_, deviceVersionMinor_, deviceSecondaryVersionType_,
                               deviceSecondaryVersion_, major, Minor, SecondaryVersionType, SecondaryVersion,
                               deviceRecognized_ == 0x3020);
}

int32_t R::compareVersionUpToMinor2ndWithMajor2nd(int32_t major, int32_t Minor, int32_t Minor2nd) const {
    return compareVersionUpToMinorMajor(deviceVersionMajor_, deviceVersionMinor_, deviceSecondaryVersion_, major, Minor,
                                        Minor2nd);
}

int32_t R::compareVersionUpToMinorWithMajor(int32_t major, int32_t Minor) const {
    return upToMinor(deviceVersionMajor_, deviceVersionMinor_, major, Minor);
}

// ---- gain, FM, tabs ---------------------------------------------------------------------------

int32_t R::getIndexFromRTG(int32_t gain) {
    if (gain == 12) return 0;
    if (gain == 17) return 2;
    return 1;  // 13..16 and every value outside the table
}

std::string R::getRTGStringFromRTG(int32_t gain, int32_t In) {
    int32_t language = static_cast<uint32_t>(In) < 13 ? In : 0;
    return kRTGTexts[language][getIndexFromRTG(gain)];
}

R::FMBand R::fmRadioBand(int32_t region) { return kFMBands[static_cast<uint32_t>(region) < 6 ? region : 0]; }

int32_t R::checkFMPresetValidWithRegion(int32_t region, int32_t FMRadioPreset) {
    const FMBand band = fmRadioBand(region);
    if (FMRadioPreset < band.lowest || FMRadioPreset > band.highest) return 1;
    if (FMRadioPreset % band.step != band.lowest % band.step) return 2;
    return 0;
}

OptString R::getTabText(int32_t tab, bool With, int32_t In, const KeyEquivalentSetter& SetEquivalentTo) {
    if (In > 12 || In < 0) return std::nullopt;
    if (tab < 1 || tab > 3) return std::nullopt;
    size_t i = static_cast<size_t>(tab - 1);
    if (SetEquivalentTo) SetEquivalentTo(kTabKeys[i], kTabModifierMask);
    return With ? kTabShortcuts[i] : kTabTexts[In][i];
}

// ---- speed dials ------------------------------------------------------------------------------

int32_t R::getSpeedDialString(OptString* out, const std::array<uint16_t, kSpeedDialUnits>& FromArray) {
    char buf[kSpeedDialUnits + 1] = {};
    for (size_t i = 0; i < kSpeedDialUnits; ++i) buf[i] = static_cast<char>(FromArray[i] & 0xFF);
    std::string text(buf);  // ends at the first zero byte
    if (!validUTF8(text)) {
        *out = std::nullopt;
        return 0;
    }
    *out = text;
    // Length as the text's UTF-16 units, like the platform string's length.
    int32_t chars = 0;
    for (unsigned char c : text) chars += ((c & 0xC0) != 0x80) + (c >= 0xF0);
    return chars;
}

int32_t R::getSpeedDialArray(std::array<uint16_t, kSpeedDialUnits>* out, const OptString& FromString) {
    if (!FromString || FromString->empty()) return 0;
    const std::string& s = *FromString;
    size_t n = std::min<size_t>(s.size(), kSpeedDialUnits);
    // Never split a multi-byte character: back up to the start of a cut one.
    if (n < s.size()) {
        size_t start = n;
        while (start > 0 && (static_cast<unsigned char>(s[start]) & 0xC0) == 0x80) --start;
        n = start;
    }
    for (size_t i = 0; i < kSpeedDialUnits; ++i) {
        (*out)[i] = i < n ? static_cast<uint16_t>(static_cast<int16_t>(static_cast<int8_t>(s[i]))) : 0;
    }
    return static_cast<int32_t>(2 * n);
}

// ---- camera volume ----------------------------------------------------------------------------

OptString R::getNelvarDiskPathWithDevice(int32_t productId) {
    const char* marker = nullptr;
    switch (productId) {
        case 0x3020: marker = "nelvar.bin"; break;
        case 0x3040: marker = "FENDRALpro.bin"; break;
        case 0x3060: marker = "MISC/version.conf"; break;
        case 0x5510: marker = "TAVRIN.VER"; break;
        case 0x5570: marker = "MISC/version.conf"; break;
        case 0x5576: marker = "MISC/version.conf"; break;
        case 0x5580: marker = "tavrinpro.bin"; break;
        default: return std::nullopt;
    }
    for (const auto& v : platform::mountedVolumes()) {
        if (!v.removable || !v.writable || !v.unmountable) continue;
        std::string file = v.path + "/" + marker;
        if (access(file.c_str(), F_OK) == 0) return v.path + "/";
    }
    return std::nullopt;
}

}  // namespace device
