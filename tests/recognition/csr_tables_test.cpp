// The CSR models' tables and the road's own texts, without a device.
#include <gtest/gtest.h>

#include <map>
#include <set>

#include "recognition/CsrModelTables.h"
#include "recognition/CsrRoadTexts.h"
#include "recognition/CsrSettings.h"

namespace {

using namespace recognition;

TEST(CsrPowerTableDecision, AddressDigitsAboveTheModelsThreshold) {
    struct Case {
        int32_t target;
        const char* digits;
        bool patch;
    } cases[] = {
        {0x4D05, "2DD49E", false}, {0x4D05, "2DD49F", true},  {0x4D55, "2dd49f", true},
        {0x4D85, "2E037E", false}, {0x4D85, "2E037F", true},  {0x4D85, "2DD49F", false},
        {0x4D10, "2C9BD2", true},  {0x4D20, "2C9BD2", false}, {0x4D50, "2CAF5A", true},
        {0x5050, "2DE43F", true},  {0x6110, "34FD7D", false}, {0x6120, "358E09", true},
        {0x4D15, "2DE43F99", true},  // only the first six digits count
        {0x4D15, "000000", false}, {0x4D15, "", false},       {0x5310, "FFFFFF", false},
        {0x4D21, "FFFFFF", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(changePSKeyPowerTableWith(c.target, c.digits), c.patch) << std::hex << c.target << " " << c.digits;
}

// A product id in two rows of one table would silently take the first.
TEST(CsrModelTables, EveryModelHasAtMostOneRowPerTable) {
    std::set<uint16_t> read, written, patched;
    for (const auto& b : csr::settingsReadBranches())
        for (uint16_t id : b.productIds) EXPECT_TRUE(read.insert(id).second) << std::hex << id;
    for (const auto& row : csr::writeBackRows())
        for (uint16_t id : row.productIds) EXPECT_TRUE(written.insert(id).second) << std::hex << id;
    for (const auto& m : csr::powerTableModels()) EXPECT_TRUE(patched.insert(m.productId).second) << std::hex << m.productId;
    // The 61 known CSR product ids but the cameras, the 0x5310 pair and 0x6020-0x6024 keep
    // settings; a backup goes back into exactly the models whose settings are read.
    EXPECT_EQ(read.size(), 55u);
    EXPECT_EQ(written, read);
    EXPECT_EQ(patched.size(), 16u);
}

TEST(CsrModelTables, PowerTablesHaveTheirLengths) {
    const std::map<int32_t, size_t> tableWords = {{0x4D05, 15}, {0x4D85, 15}, {0x4D15, 15}, {0x4D10, 30},
                                                  {0x4D20, 30}, {0x6110, 25}, {0x6120, 19}};
    for (const auto& [id, words] : tableWords) {
        const auto* model = csr::powerTableModel(id);
        ASSERT_NE(model, nullptr) << std::hex << id;
        size_t found = 0;
        for (const auto& w : model->patch) {
            if (w.key == csr::kPsKeyPowerTable) found = w.words.size();
            else EXPECT_EQ(w.words.size(), 1u);
        }
        EXPECT_EQ(found, words) << std::hex << id;
    }
    EXPECT_EQ(csr::fallbackPowerTable().size(), 30u);
    EXPECT_EQ(csr::settingsWordDefaults(), 0x0071);
}

TEST(CsrRoadTexts, CannotRestoreNamesTheSettingOfTheKey) {
    EXPECT_EQ(qelm_string_cannot_restore(0x0299, 0), "Cannot restore VOX Phone");
    EXPECT_EQ(qelm_string_cannot_restore(654, 0), "Cannot restore Device Setting");
    EXPECT_EQ(qelm_string_cannot_restore(0x029F, 0), "Cannot restore FM Radio Setting");
    EXPECT_EQ(qelm_string_cannot_restore(0x02AA, 0), "Cannot restore Audio Channel Timeout");
    EXPECT_EQ(qelm_string_cannot_restore(0x02AC, 0), "Cannot restore Radio Transmit Gain");
    EXPECT_EQ(qelm_string_cannot_restore(0x0298, 0), "Cannot restore VOX Intercom");
    EXPECT_EQ(qelm_string_cannot_restore(0x00EF, 0), "Cannot restore EDR");
    EXPECT_EQ(qelm_string_cannot_restore(0x1234, 0), "Cannot restore ");
    EXPECT_EQ(qelm_string_cannot_restore(0x028E, 1), "Impossible de restaurer Réglage de l'appareil");
    // Czech and Polish have no sentence of their own, but their own labels.
    EXPECT_EQ(qelm_string_cannot_restore(0x0299, 11), "Cannot restore HLASOVÝ telefon");
    EXPECT_EQ(qelm_string_cannot_restore(0x0299, 40), "Cannot restore VOX Phone");
}

}  // namespace
