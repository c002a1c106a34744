// What the CSR channel reads of a headset's identity from its persistent store: product id with
// the device-name fallback, firmware version by its rules, device name and Bluetooth address.
#include <optional>
#include <string>
#include <vector>

#include "CsrSimFixture.h"

namespace {

using Words = std::vector<uint16_t>;

// Text as the persistent store keeps it: two characters per word, the first in the low byte.
Words packed(const std::string& text) {
    Words w;
    for (size_t i = 0; i < text.size(); i += 2)
        w.push_back(
            static_cast<uint16_t>(static_cast<uint8_t>(text[i]) |
                                  (i + 1 < text.size() ? static_cast<uint8_t>(text[i + 1]) << 8 : 0)));
    return w;
}

// Four bytes of a value, as two little-endian words.
Words bytes4(uint8_t b0, uint8_t b1, uint8_t b2, uint8_t b3) {
    return {static_cast<uint16_t>(b0 | b1 << 8), static_cast<uint16_t>(b2 | b3 << 8)};
}

class CsrIdentityTest : public CsrSimTest {
  protected:
    void SetUp() override {
        CsrSimTest::SetUp();
        if (IsSkipped()) return;
        ASSERT_NO_FATAL_FAILURE(openHeadset(0x4D10));
    }

    void seed(uint16_t key, const std::optional<Words>& value) {
        if (value)
            headset().setKey(key, *value);
        else
            headset().eraseKey(key);
    }
};

TEST_F(CsrIdentityTest, ProductIdFromItsKeyOrTheDeviceName) {
    struct Case {
        const char* name;
        std::optional<Words> productKey;
        std::optional<std::string> deviceName;
        int expected;
    };
    const Case cases[] = {
        {"known id", Words{0x6020}, std::nullopt, 0x6020},
        {"USB id that the key set lacks", Words{0x6021}, std::nullopt, -2},
        {"unknown id, name of the first family", Words{0x6021}, "VELMAR HEMBRIN 3", 0x4D10},
        {"no key, name of the second family", std::nullopt, "IVERON-X", 0x5010},
        {"both names: the first family wins", std::nullopt, "IVERON HEMBRIN", 0x4D10},
        {"no key, no name", std::nullopt, std::nullopt, 0},
        {"no key, another name", std::nullopt, "HEMBRI", 0},
        {"key of 4 bytes", Words{0x4D10, 0}, std::nullopt, -1},
        {"key of 4 bytes, known name", Words{0x4D10, 0}, "xxIVERONxx", 0x5010},
        {"unknown id, another name", Words{0x1234}, "SOMETHING", -2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        seed(CSR_PSKEY_PRODUCT_ID, c.productKey);
        seed(CSR_PSKEY_DEVICE_NAME,
             c.deviceName ? std::optional<Words>(packed(*c.deviceName)) : std::nullopt);
        EXPECT_EQ(csr_read_product_id(), c.expected);
    }
}

TEST_F(CsrIdentityTest, FirmwareVersionRules) {
    struct Case {
        const char* name;
        int productId;
        std::optional<Words> versionKey;  // 0x02A4
        std::optional<Words> legacyKey;   // 0x0293
        int result;
        uint32_t major, minor, extra1, extra2;
        bool versionKeyCleared;
    };
    const Case cases[] = {
        {"camera model: bytes 3 to 0", 0x3020, bytes4(4, 3, 2, 1), {}, 0, 1, 2, 3, 4, false},
        {"camera model without the key", 0x3020, {}, {}, 1, 1, 0, 1, 0, false},
        {"camera model with a short key", 0x3020, Words{0x0102}, {}, 1, 0, 0, 0, 0, false},
        {"stored code", 0x5010, bytes4(42, 0, 7, 9), {}, 0, 4, 2, 9, 7, false},
        {"stored code 0: the model's fixed code", 0x5010, bytes4(0, 0, 7, 9), {}, 0, 3, 2, 9, 7, false},
        {"no key: the model's fixed code", 0x5010, {}, {}, 0, 3, 2, 0, 0, false},
        {"no key, model without a fixed code", 0x6025, {}, {}, 1, 0, 0, 0, 0, false},
        {"legacy code 30 moved out of the way", 0x4D30, {}, bytes4(30, 0, 0, 0), 0, 3, 0, 0, 0, true},
        {"legacy code 45 kept", 0x4D30, {}, bytes4(45, 0, 0, 0), 0, 4, 5, 0, 0, false},
        {"legacy key unreadable", 0x4D30, {}, {}, 0, 3, 0, 0, 0, false},
        {"legacy key short, first model", 0x4D10, {}, Words{12}, 0, 3, 0, 0, 0, false},
        {"legacy key short, second model", 0x4D30, {}, Words{12}, 0, 4, 2, 0, 0, false},
        {"legacy key short, third model", 0x4D40, {}, Words{12}, 0, 5, 0, 0, 0, false},
        {"legacy code 0", 0x4D30, {}, bytes4(0, 0, 0, 0), 1, 0, 0, 0, 0, false},
        {"stored code replaced by a legacy code", 0x4D10, bytes4(33, 0, 5, 6), bytes4(12, 0, 0, 0), 0, 1, 2,
         0, 0, true},
        {"stored code 32 keeps a legacy code", 0x4D10, bytes4(32, 0, 5, 6), bytes4(12, 0, 0, 0), 0, 3, 2, 0,
         0, false},
        {"stored code without legacy key", 0x4D10, bytes4(33, 0, 5, 6), {}, 0, 3, 3, 6, 5, false},
        {"stored code 0, legacy code above the moved range", 0x4D10, bytes4(0, 0, 5, 6), bytes4(40, 0, 0, 0),
         0, 4, 0, 0, 0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        seed(CSR_PSKEY_FIRMWARE_VERSION, c.versionKey);
        seed(CSR_PSKEY_LEGACY_VERSION, c.legacyKey);
        size_t writes = headset().psWrites().size();
        uint32_t major = 99, minor = 99, extra1 = 99, extra2 = 99;
        EXPECT_EQ(csr_read_firmware_version(c.productId, &major, &minor, &extra1, &extra2), c.result);
        EXPECT_EQ(major, c.major);
        EXPECT_EQ(minor, c.minor);
        EXPECT_EQ(extra1, c.extra1);
        EXPECT_EQ(extra2, c.extra2);
        auto all = headset().psWrites();
        if (c.versionKeyCleared) {
            ASSERT_EQ(all.size(), writes + 1);
            EXPECT_EQ(all.back().key, CSR_PSKEY_FIRMWARE_VERSION);
            EXPECT_EQ(all.back().words, (Words{0, 0}));
        } else {
            EXPECT_EQ(all.size(), writes);
        }
    }
}

// Models that do not store their version: each row of the fixed table, and a model outside it.
TEST_F(CsrIdentityTest, FixedVersionOfEveryModelWithoutAStoredVersion) {
    const struct {
        uint32_t code;
        std::vector<uint16_t> products;
    } rows[] = {
        {10, {0x2010, 0x2020, 0x2110, 0x2120, 0x2310, 0x3010, 0x4010, 0x4020, 0x4030, 0x4040, 0x4110, 0x4111,
              0x4112, 0x4113, 0x4120, 0x4D05, 0x4D21, 0x4D75, 0x4D85, 0x5011, 0x5210, 0x5310, 0x6000, 0x6110,
              0x6111, 0x6120, 0x6121, 0x6420, 0x6430, 0x6440, 0x6450, 0x6460, 0x6470, 0x6480, 0x6490}},
        {11, {0x4021}},
        {12, {0x2011, 0x2210, 0x4D15, 0x4D35, 0x4D45}},
        {20, {0x4D55, 0x4D65}},
        {32, {0x5010}},
        {33, {0x5020}},
        {41, {0x5030}},
        {42, {0x4D20, 0x5040, 0x5050, 0x5060, 0x5070, 0x5080}},
        {50, {0x4D50}},
        {52, {0x5061}},
        {0, {0x6020, 0x6021, 0x4D11, 0x0000}},  // not in the table: no version
    };
    headset().eraseKey(CSR_PSKEY_FIRMWARE_VERSION);
    for (const auto& row : rows) {
        for (uint16_t product : row.products) {
            SCOPED_TRACE(testing::Message() << std::hex << "product 0x" << product);
            uint32_t major = 99, minor = 99, extra1 = 99, extra2 = 99;
            EXPECT_EQ(csr_read_firmware_version(product, &major, &minor, &extra1, &extra2), row.code ? 0 : 1);
            EXPECT_EQ(major, row.code / 10);
            EXPECT_EQ(minor, row.code % 10);
            EXPECT_EQ(extra1 + extra2, 0u);
        }
    }
}

TEST_F(CsrIdentityTest, DeviceNameAndAddressCopyTheirKeys) {
    headset().setKey(CSR_PSKEY_DEVICE_NAME, packed("VELMAR 10S"));
    headset().setKey(CSR_PSKEY_BDADDR, {0x1234, 0x0056, 0x789A, 0x00BC});
    uint8_t out[2 * CSR_PSKEY_MAX_WORDS] = {};
    ASSERT_EQ(csr_read_device_name(out), 10);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(out), 10), "VELMAR 10S");
    ASSERT_EQ(csr_read_bdaddr(out), 8);
    EXPECT_EQ(std::vector<uint8_t>(out, out + 8),
              (std::vector<uint8_t>{0x34, 0x12, 0x56, 0, 0x9A, 0x78, 0xBC, 0}));
    headset().eraseKey(CSR_PSKEY_DEVICE_NAME);
    EXPECT_EQ(csr_read_device_name(out), 0);
}

}  // namespace
