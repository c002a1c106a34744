// The list read of both pages against a loopback server, through the real libcurl: what the page
// holds and shows once the timer has seen the end of the read.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "UpdatePageFixture.h"
#include "platform/Http.h"
#include "platform/Servers.h"
#include "tests_support/LoopbackServer.h"

namespace {

using update::FirmwareVersion;
using update_page_test::UpdatePageFixture;

// Endless: the list over and over, without end, as a hostile server might send it.
enum class Serve { List, NotFound, NoServer, Endless };

struct ListCase {
    const char* name;
    std::string list;
    int32_t model;
    int32_t page;  // 5 update, 6 restore
    const char* strLanguageFirmware;
    int interfaceLanguage;  // with applyToLanguageFirmware YES when not 0
    FirmwareVersion backup;
    Serve serve;
    // What the read leaves.
    FirmwareVersion version;
    std::optional<std::string> file;
    std::vector<std::string> items;  // English names of the pop-up's items
    int selected;
    bool restorePossible;
};

const std::string kTwoLanguages =
    "AIROHAVELMAR:v2.1:English:velmar/luven_en.img\r\nAIROHAVELMAR:v2.1:French:velmar/luven_fr.img\r\n"
    "AIROHAVELMAR:5\r\nNEXT:v1.0:next.img\r\n";

const ListCase kListCases[] = {
    {"CrLfListTwoLanguages", kTwoLanguages, 0x6838, 5, "German", 0, {}, Serve::List,
     {2, 1, 0, 5}, "velmar/luven_en.img", {"English", "French"}, 0, false},
    {"LfListTwoLanguages", "AIROHAVELMAR:v2.1:English:a_en.img\nAIROHAVELMAR:v2.1:French:a_fr.img\nAIROHAVELMAR:5\nX\n",
     0x6838, 5, "", 0, {}, Serve::List, {2, 1, 0, 5}, "a_en.img", {"English", "French"}, 0, false},
    {"FrenchChosenInAnyCase", kTwoLanguages, 0x6838, 5, "fReNcH", 0, {}, Serve::List,
     {2, 1, 0, 5}, "velmar/luven_fr.img", {"English", "French"}, 1, false},
    // The interface language preselects; the file stays the one the walk chose.
    {"FrenchPreselectedByInterface", kTwoLanguages, 0x6838, 5, "German", 1, {}, Serve::List,
     {2, 1, 0, 5}, "velmar/luven_en.img", {"English", "French"}, 1, false},
    {"SecondSingleLineEndsTheWalk", "AIROHAVELMAR:v1.4:first.img\r\nAIROHAVELMAR:v1.9:second.img\r\n", 0x6838, 5, "",
     0, {}, Serve::List, {1, 4, 0, 0}, "first.img", {}, -1, false},
    {"SecondaryAfterSingleLine", "AIROHAVELMAR:v1.4:first.img\r\nAIROHAVELMAR:3\r\n", 0x6838, 5, "", 0, {},
     Serve::List, {1, 4, 0, 3}, "first.img", {}, -1, false},
    {"TwoFieldLineOfAnotherModel", "AIROHAVELMAR:v1.4:first.img\r\nNELVAR:3\r\nAIROHAVELMAR:7\r\n", 0x6838, 5, "", 0,
     {}, Serve::List, {1, 4, 0, 0}, "first.img", {}, -1, false},
    {"CameraFourPartVersion", "NELVAR:v1.2.3.4:nelvar.bin\r\n", 0x3020, 5, "", 0, {}, Serve::List,
     {3, 4, 1, 2}, "nelvar.bin", {}, -1, false},
    // Revisions sharing a model name share its lines.
    {"RevisionsOfOneModelShareItsLines", "HEMBRIN_4D10:v9.9:wrong.img\r\nHEMBRIN:v3.1:hembrin.img\r\n", 0x4D10, 5, "",
     0, {}, Serve::List, {3, 1, 0, 0}, "hembrin.img", {}, -1, false},
    {"ThirdRevisionOfIveron", "IVERONS:v2.0:iverons.img\r\nIVERON:v4.2:iveron.img\r\n", 0x5061, 5, "", 0, {},
     Serve::List, {4, 2, 0, 0}, "iveron.img", {}, -1, false},
    {"NoLineOfTheModel", "OTHER:v1.4:other.img\r\nOTHER:v1.4:English:o.img\r\n", 0x6838, 5, "", 0, {}, Serve::List,
     {}, std::nullopt, {}, -1, false},
    {"EmptyVersionField", "AIROHAVELMAR::first.img\r\n", 0x6838, 5, "", 0, {}, Serve::List,
     {}, "first.img", {}, -1, false},
    // A version or secondary number outside 0 to 9999 makes its line a malformed one.
    {"VersionOutOfRangeSkipped", "AIROHAVELMAR:v2147483648.0:big.img\r\nAIROHAVELMAR:v1.4:ok.img\r\n", 0x6838, 5, "",
     0, {}, Serve::List, {1, 4, 0, 0}, "ok.img", {}, -1, false},
    {"VersionOutOfRangeEndsTheBlock",
     "AIROHAVELMAR:v2.1:English:en.img\r\nAIROHAVELMAR:v4294967297.0:French:fr.img\r\nAIROHAVELMAR:v2.1:German:de.img\r\n",
     0x6838, 5, "German", 0, {}, Serve::List, {2, 1, 0, 0}, "en.img", {"English"}, 0, false},
    {"SecondaryOutOfRangeNotTaken", "AIROHAVELMAR:v1.4:first.img\r\nAIROHAVELMAR:99999999999\r\n", 0x6838, 5, "", 0,
     {}, Serve::List, {1, 4, 0, 0}, "first.img", {}, -1, false},
    {"RestoreRevisionOutOfRange", "AIROHAVELMAR:v2.99999999999:r.img\r\nX\r\n", 0x6838, 6, "", 0,
     {2, 1215752191, 0, 0}, Serve::List, {}, std::nullopt, {}, -1, false},
    {"NotFound", "", 0x6838, 5, "", 0, {}, Serve::NotFound, {}, std::nullopt, {}, -1, false},
    {"NoServer", "", 0x6838, 5, "", 0, {}, Serve::NoServer, {}, std::nullopt, {}, -1, false},
    {"EndlessList", "AIROHAVELMAR:v9.9:English:a_en.img\r\n", 0x6838, 5, "", 0, {}, Serve::Endless, {}, std::nullopt, {},
     -1, false},
    {"EndlessRevisions", "AIROHAVELMAR:v1.2:English:r12_en.img\r\n", 0x6838, 6, "", 0, {1, 2, 0, 0}, Serve::Endless,
     {}, std::nullopt, {}, -1, false},
    {"NonAsciiBody", "AIROHAVELMAR:v1.4:f\xC3\xA9.img\r\n", 0x6838, 5, "", 0, {}, Serve::List,
     {}, std::nullopt, {}, -1, false},
    {"RestoreMatchingRevision",
     "AIROHAVELMAR:v1.0:English:r10_en.img\r\nAIROHAVELMAR:v1.2:English:r12_en.img\r\n"
     "AIROHAVELMAR:v1.2:French:r12_fr.img\r\nOTHER:v1.0:o.img\r\n",
     0x6838, 6, "French", 0, {1, 2, 0, 0}, Serve::List, {1, 2, 0, 0}, "r12_fr.img", {"English", "French"}, 1, true},
    {"RestoreRevisionOnTheLastLine", "AIROHAVELMAR:v1.0:old.img\r\nAIROHAVELMAR:v1.2:r12.img", 0x6838, 6, "", 0,
     {1, 2, 0, 0}, Serve::List, {1, 2, 0, 0}, "r12.img", {}, -1, true},
    {"RestoreNoRevision", "AIROHAVELMAR:v1.0:old.img\r\nAIROHAVELMAR:v1.1:r11.img\r\n", 0x6838, 6, "", 0,
     {1, 2, 0, 0}, Serve::List, {1, 1, 0, 0}, "r11.img", {}, -1, false},
    {"RestoreNoServer", "", 0x6838, 6, "", 0, {1, 2, 0, 0}, Serve::NoServer, {}, std::nullopt, {}, -1, false},
};

class FirmwareListRead : public UpdatePageFixture, public ::testing::WithParamInterface<ListCase> {};

TEST_P(FirmwareListRead, FieldsPopUpAndRestoreDecision) {
    const ListCase& c = GetParam();
    test_support::LoopbackServer server;
    const std::string listName = c.page == 5 ? "Firmware" : "Revisions";
    if (c.serve == Serve::List) server.put(listName, c.list);
    if (c.serve == Serve::Endless) server.put(listName, c.list, test_support::LoopbackServer::Fault::Endless);
    if (c.serve != Serve::NoServer) setenv("VELMAR_SERVER_BASE", server.base().c_str(), 1);
    controller->setStrLanguageFirmware(std::string(c.strLanguageFirmware));
    controller->setApplyToLanguageFirmware(c.interfaceLanguage != 0);
    controller->setLanguageManager(c.interfaceLanguage);
    controller->setStrLanguageManager(app::AppTexts::qelm_language_manager(c.interfaceLanguage));
    if (c.page == 6) {
        device::ORVABluetoothDeviceData backup;
        backup.setDeviceRecognized(c.model);
        backup.setDeviceVersionMajor(c.backup.major, c.backup.minor);
        pages.restore->backup = backup;
    }

    auto& page = enter(c.page, c.model);
    EXPECT_TRUE(controller->onProcessing());
    finishListRead(page);

    if (c.serve != Serve::NoServer) {
        EXPECT_EQ(server.requests(), 1);
        EXPECT_EQ(server.lastCacheControl(), "no-cache");
    }
    EXPECT_EQ(page.latestVersion(), c.version);
    EXPECT_EQ(page.fileNameLatestVersion(), c.file);
    std::vector<std::string> titles;
    for (const std::string& english : c.items)
        titles.push_back(app::AppTexts::qelm_language_manager_from_language(english, c.interfaceLanguage));
    EXPECT_EQ(popUpItems(page), titles);
    EXPECT_EQ(page.arrLanguageFirmware(), c.items);
    EXPECT_EQ(page.popUpLanguageFirmware()->currentIndex(), c.selected);
    EXPECT_EQ(page.fields().state.load(), update::kStateIdle);
    EXPECT_FALSE(controller->onProcessing());
    if (c.page == 6) {
        EXPECT_EQ(page.restorePossible(), c.restorePossible);
    }
}

INSTANTIATE_TEST_SUITE_P(Update, FirmwareListRead, ::testing::ValuesIn(kListCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(UpdatePageFixture, RestoreListWithoutRevisionShowsTheFailureAndCannotConnect) {
    pages.restore->backup = device::ORVABluetoothDeviceData();
    auto& page = enter(6, 0x6838);
    finishListRead(page);
    EXPECT_EQ(statusLine(), "Failed to restore firmware. Cannot connect to the server");
    EXPECT_TRUE(controller->statusWithWarning());
}

TEST_F(UpdatePageFixture, RestoreListWithRevisionAsksForTheRestoreButton) {
    // The same list sent over and over without end fails as a broken connection does.
    using Fault = test_support::LoopbackServer::Fault;
    const struct {
        Fault fault;
        const char* status;
        bool warning;
    } cases[] = {
        {Fault::None, "Press the [RESTORE] button", false},
        {Fault::Endless, "Failed to restore firmware. Cannot connect to the server", true},
    };
    for (const auto& c : cases) {
        test_support::LoopbackServer server;
        server.put("Revisions", "AIROHAVELMAR:v1.2:r12.img\r\n", c.fault);
        setenv("VELMAR_SERVER_BASE", server.base().c_str(), 1);
        device::ORVABluetoothDeviceData backup;
        backup.setDeviceVersionMajor(1, 2);
        pages.restore->backup = backup;
        auto& page = enter(6, 0x6838);
        finishListRead(page);
        EXPECT_EQ(statusLine(), c.status);
        EXPECT_EQ(controller->statusWithWarning(), c.warning);
        EXPECT_LT(server.endlessBytesSent(), platform::kListBodyCap + (32u << 20));
    }
}

TEST_F(UpdatePageFixture, ListAddressTakesTheMirrorInShanghaiTime) {
    unsetenv("VELMAR_SERVER_BASE");
    setenv("TZ", "Asia/Shanghai", 1);
    EXPECT_EQ(update::UpdateViewController::firmwareListAddress(5), platform::mirrorServerBase() + "Firmware");
    EXPECT_EQ(update::UpdateViewController::firmwareListAddress(6), platform::mirrorServerBase() + "Revisions");
    EXPECT_NE(platform::mirrorServerBase(), platform::mainServerBase());
    setenv("TZ", "Europe/Paris", 1);
    EXPECT_EQ(update::UpdateViewController::firmwareListAddress(5), platform::mainServerBase() + "Firmware");
}

}  // namespace
