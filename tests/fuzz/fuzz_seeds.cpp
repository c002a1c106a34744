// Writes the seed corpus of every fuzz target, made by the program's own encoders, and the
// reproducers of hostile inputs found before: fuzz_seeds OUT_DIR makes OUT_DIR/<target>/<name>.
#include <cstdint>
#include <cstdlib>
#include <initializer_list>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/CipherHelpers.h"
#include "device/ORVABluetoothDeviceData.h"
#include "platform/KeyedArchive.h"
#include "tests_support/HostileArchives.h"

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<uint8_t>;

fs::path out;

void seed(const std::string& target, const std::string& name, const Bytes& bytes) {
    fs::create_directories(out / target);
    std::ofstream f(out / target / name, std::ios::binary | std::ios::trunc);
    f.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

Bytes text(const std::string& s) { return Bytes(s.begin(), s.end()); }

Bytes withChoice(uint8_t choice, Bytes rest) {
    rest.insert(rest.begin(), choice);
    return rest;
}

uint32_t jamcrc(const Bytes& data) {
    uint32_t crc = 0xFFFFFFFFu;
    for (uint8_t b : data) {
        crc ^= b;
        for (int bit = 0; bit < 8; ++bit) crc = (crc & 1) ? (crc >> 1) ^ 0xEDB88320u : crc >> 1;
    }
    return crc;
}

void archives() {
    platform::KeyedArchiver configuration({"ORVABluetoothManagerAppController", "NSObject"});
    configuration.encodeBool(false, "keyEncrypted");
    configuration.encodeString(std::string("v1.0"), "keyStrManagerVersion");
    configuration.encodeString(std::string("French"), "keyStrLanguageManager");
    configuration.encodeBool(true, "keyApplyToLanguageFirmware");
    configuration.encodeInt32(0x6838, "keyDeviceTarget");
    configuration.encodeString(std::nullopt, "keyStrRestartDFUFirmwareFile");
    seed("keyed_archive", "configuration", configuration.finish());
    device::ORVABluetoothDeviceData record;
    record.setDeviceRecognized(0x6838);
    seed("keyed_archive", "backup", record.archivedData());
    seed("keyed_archive", "xml-nul", test_support::xmlArchiverNameWithNul());
    seed("keyed_archive", "binary-nul",
         test_support::binaryArchiveWithNulInString("ORVABluetoothManagerAppController", "keyStrManagerVersion"));
    seed("keyed_archive", "nested-binary", test_support::nestedBinaryArrays(100000));
    seed("keyed_archive", "nested-xml", test_support::nestedXmlArrays(200000));
    // Closing tags where the XML parser never sees one: 40,000 levels overflowed its stack.
    seed("keyed_archive", "xml-behind-instructions", test_support::xmlArraysBehindInstructions());
    seed("keyed_archive", "xml-quoted-slash", test_support::repeatedXml(60000, "<array a=\"/>\">"));
    seed("keyed_archive", "xml-document-types",
         test_support::repeatedXml(30000, "<array><!DOCTYPE p [ </array> ]>"));
}

// A backup of the model at major.minor, as the update worker writes one.
Bytes backupOf(int32_t model, int32_t major, int32_t minor) {
    device::ORVABluetoothDeviceData record;
    record.setManagerVersionMajor(3);
    record.setManagerVersionMinor(1);
    record.setDeviceRecognized(model);
    record.setDeviceVersionMajor(major);
    record.setDeviceVersionMinor(minor);
    record.setDeviceSecondaryVersionType(1);
    record.setDeviceSecondaryVersion(2);
    record.setDateArchived(platform::Date::fromUnix(1700000000.0));
    return record.archivedData();
}

void backups() {
    const struct {
        int32_t model, major, minor;
        uint8_t choice;
    } records[] = {{0x4D35, 1, 2, 0x00}, {0x5070, 4, 2, 0x11}, {0x6838, 1, 0, 0x22}, {0x3020, 2, 1, 0x33},
                   {0x5345, 1, 3, 0x44}, {0x4210, 3, 0, 0x55}, {0x5010, 1, 0, 0x66}, {0x5620, 1, 3, 0x87},
                   {0x6042, 2, 0, 0x98}};
    for (const auto& r : records)
        seed("backup_summary", "model-" + std::to_string(r.model), withChoice(r.choice, backupOf(r.model, r.major, r.minor)));
}

void firmware() {
    Bytes image = text(std::string("IMAGE-HEADER-16B") + "ZELTA#5510" + "\x01\x02 payload \xFE\xFF");
    const uint32_t crc = jamcrc(image);
    for (int i = 0; i < 4; ++i) image.push_back(static_cast<uint8_t>(crc >> (8 * i)));
    seed("firmware_file", "image", withChoice(0x80, image));
    seed("firmware_file", "image-other-model", withChoice(0x81, image));
    seed("firmware_file", "short", withChoice(0x80, text("IMAGE-HEADER-16B")));
    seed("firmware_file", "archive-guess", withChoice(0x00, Bytes(600, 0)));
}

void lists() {
    seed("server_list", "offer", text("VELMARHelmetsDeviceManagerForMAC:v1.1:mac/Manager.dmg\r\n"
                                      "VELMARHelmetsDeviceManagerForMAC:2\r\n"));
    seed("server_list", "newline-lines", text("Other:v9.9:x\nVELMARHelmetsDeviceManagerForMAC:v2.0:q\n"));
    seed("server_list", "huge-version", text("VELMARHelmetsDeviceManagerForMAC:v4294967297.0:p"));

    // Firmware lists: model choice, the headset's four version parts (little-endian), an address
    // length and address, then the list as the server sends it.
    auto firmwareList = [](uint8_t model, std::initializer_list<int32_t> version, const std::string& address,
                           const std::string& list) {
        Bytes b = {model};
        for (int32_t v : version)
            for (int i = 0; i < 4; ++i) b.push_back(static_cast<uint8_t>(static_cast<uint32_t>(v) >> (8 * i)));
        b.push_back(static_cast<uint8_t>(address.size()));
        b.insert(b.end(), address.begin(), address.end());
        b.insert(b.end(), list.begin(), list.end());
        return b;
    };
    seed("firmware_lists", "languages",
         firmwareList(2, {1, 0, 0, 0}, "",
                      "AIROHAVELMAR:v2.1:English:velmar/luven_en.img\r\nAIROHAVELMAR:v2.1:French:velmar/luven_fr.img\r\n"
                      "AIROHAVELMAR:5\r\nNEXT:v1.0:next.img\r\n"));
    seed("firmware_lists", "single-newline", firmwareList(2, {1, 2, 0, 0}, "", "AIROHAVELMAR:v1.2:one.img\nAIROHAVELMAR:3\n"));
    seed("firmware_lists", "camera", firmwareList(0, {3, 4, 1, 2}, "", "NELVAR:v1.2.3.4:nelvar.bin\r\nX\r\n"));
    seed("firmware_lists", "address-range", firmwareList(1, {1, 0, 0, 0}, "3323F1", "X:v1.0:x.img\r\n"));
    seed("firmware_lists", "wrapping-versions",
         firmwareList(2, {1, 0, 0, 0}, "",
                      "AIROHAVELMAR:v2147483648.0:a.img\r\nAIROHAVELMAR:v4294967297.0:English:b.img\r\n"
                      "AIROHAVELMAR:v2.99999999999:c.img\r\nAIROHAVELMAR:99999999999\r\n"));
}

void cipher() {
    char* encrypted = nullptr;
    encrypt_string_3des_base64("password", &encrypted);
    seed("cipher", "password", withChoice(0, text(encrypted ? encrypted : "")));
    std::free(encrypted);
    seed("cipher", "padding", withChoice(2, text("QUJDREU=")));
    seed("cipher", "inner-padding", withChoice(3, text("A=AAAAAA")));
    seed("cipher", "only-padding", withChoice(2, text("====")));
}

void hidReplies() {
    // op, then answers: a length byte and the bytes.
    Bytes longReply = {0, 67, 0x01, 0x00, 0x03, 0x02, 0x34, 0x12, 0x78, 0x56};
    longReply.resize(2 + 67, 0);
    seed("hid_reply", "format-a-done", longReply);
    Bytes busyThenDone = {0, 3, 0x01, 0x01, 0x03, 67, 0x01, 0x00, 0x03};
    busyThenDone.resize(6 + 67, 0);
    seed("hid_reply", "format-a-busy", busyThenDone);
    seed("hid_reply", "format-b-fragments", {1, 0x03, 0x10, 8, 62, 0x06, 4, 0, 1, 2, 3, 4, 62, 0x06, 4, 0, 5, 6, 7, 8});
    Bytes report65 = {2, 65, 0x01, 0x00, 0x00, 0x03};
    report65.resize(2 + 65, 0);
    seed("hid_reply", "format-c-done", report65);
    seed("hid_reply", "probe-silent", {3, 0x01, 0x00, 0xFE, 0xFE});
}

void bccmdReplies() {
    // sequence, operation, then transfers: a length byte and the bytes. The first transfer
    // answers the drain read before the request.
    Bytes productId = {0, 1, 0xFF,
                       21,   0xFF, 19, 0xC2, 0x01, 0x00, 0x09, 0x00, 0x00, 0x00, 0x03, 0x70, 0x00, 0x00,
                       0xA3, 0x02, 0x01, 0x00, 0x10, 0x4D};
    seed("bccmd_reply", "product-id", productId);
    seed("bccmd_reply", "silent", {0, 3});
    seed("bccmd_reply", "wrong-channel", {0, 2, 0xFF, 6, 0xFF, 4, 0xC1, 0, 0, 0});
}

void stm32Images() {
    // Choice byte 0: an Intel HEX file; 1: a raw binary file.
    seed("stm32_image", "base-and-data", withChoice(0, text(":020000040800F2\n:0400000001020304F2\n:00000001FF\n")));
    seed("stm32_image", "gap", withChoice(0, text(":0400000001020304F2\r\n:0100100005EA\r\n")));
    seed("stm32_image", "second-segment",
         withChoice(0, text(":020000040800F2\n:0400000001020304F2\n:020000040801F1\n:020000000908ED\n")));
    seed("stm32_image", "segment-record", withChoice(0, text(":020000021000EC\n:0300100041424327\n:00000001FF\n")));
    seed("stm32_image", "start-records",
         withChoice(0, text(":0400000508000041AE\n:0400000300000000F9\n:0100000007F8\n")));
    seed("stm32_image", "late-data", withChoice(0, text(":020000040800F2\n:02F0000001020B\n")));
    seed("stm32_image", "raw", withChoice(1, text("\x00\x01\x02 raw image \xFF")));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    out = argv[1];
    archives();
    backups();
    firmware();
    lists();
    cipher();
    hidReplies();
    bccmdReplies();
    stm32Images();
    return 0;
}
