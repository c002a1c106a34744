// The once-per-run manager-version check of the start page, against a loopback server: which
// answers switch to the manager-update page, and that later showings never ask again.
#include "SelectionFixture.h"
#include "recognition/ManagerVersionCheck.h"

namespace selection_test {
namespace {

using namespace std::chrono_literals;
using Fault = test_support::LoopbackServer::Fault;

const std::string kKey = "VELMARHelmetsDeviceManagerForMAC";

struct CheckCase {
    const char* name;
    std::string body;
    Fault fault;
    bool switches;
};

void PrintTo(const CheckCase& c, std::ostream* os) { *os << c.name; }

class VersionCheck : public SelectionTest, public ::testing::WithParamInterface<CheckCase> {};

TEST_P(VersionCheck, OnlyANewerVersionWithItsAddressSwitchesToTheManagerUpdatePage) {
    const CheckCase& c = GetParam();
    server.put("Software", c.body, c.fault);
    start(true);

    // While the list is read the window waits; the home button stays usable.
    EXPECT_TRUE(controller->onProcessing());
    EXPECT_EQ(page->piProcessing()->maximum(), 0);  // busy
    EXPECT_FALSE(window->btnDeviceSelection->isEnabled());
    EXPECT_TRUE(page->btnHome()->isEnabled());

    ASSERT_TRUE(finishCheck());
    EXPECT_EQ(server.requests(), 1);
    EXPECT_EQ(server.lastCacheControl(), "no-cache");
    EXPECT_EQ(controller->mode(), c.switches ? 2 : 3);
    EXPECT_EQ(page->piProcessing()->maximum(), 100);
    EXPECT_EQ(controller->visibleDetailViewController() == controller->managerUpdateViewController(),
              c.switches);
}

const CheckCase kCases[] = {
    {"NewerMinor", kKey + ":v1.1:mac/VelmarManager.dmg\r\n", Fault::None, true},
    {"NewerSecondary", kKey + ":v1.0:mac/VelmarManager.dmg\r\n" + kKey + ":2\r\n", Fault::None, true},
    {"SameVersion", kKey + ":v1.0:mac/VelmarManager.dmg\r\n", Fault::None, false},
    {"OlderVersion", kKey + ":v0.9:mac/VelmarManager.dmg\r\n", Fault::None, false},
    {"NotFound", "", Fault::NotFound, false},
    {"MalformedList", "no fields here\r\n" + kKey + "\r\n:::::\r\n", Fault::None, false},
    {"SecondaryWithoutAddress", kKey + ":7\r\n", Fault::None, false},
    {"NonAsciiBody", kKey + ":v2.0:mac/Velmar\xC3\xA9.dmg\r\n", Fault::None, false},
    {"TruncatedBody", kKey + ":v2.0:mac/VelmarManager.dmg\r\n", Fault::Truncated, false},
};

INSTANTIATE_TEST_SUITE_P(Answers, VersionCheck, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(SelectionTest, TheOfferNamesTheListsAddressAndTheCheckRunsOncePerProcess) {
    server.put("Software", kKey + ":v1.2:mac/VelmarManager.dmg\r\n" + kKey + ":3\r\n");
    start(true);
    ASSERT_TRUE(finishCheck());
    ASSERT_EQ(controller->mode(), 2);
    EXPECT_EQ(controller->urlManagerUpdate(), server.base() + "mac/VelmarManager.dmg");
    EXPECT_EQ(controller->managerLatestVersionMajor(), 1);
    EXPECT_EQ(controller->managerLatestVersionMinor(), 2);
    EXPECT_EQ(controller->managerLatestVersionSecondary(), 3);

    // No: the start page again, this time without asking the server.
    controller->managerUpdateViewController()->cancelUpdate();
    EXPECT_EQ(controller->mode(), 3);
    EXPECT_FALSE(controller->onProcessing());
    controller->setDeviceSelectionOnStartUp(true);
    EXPECT_FALSE(controller->onProcessing());
    EXPECT_FALSE(page->timerActive()) << "no timer polls for a check";
    EXPECT_TRUE(page->threadTerminated());
    EXPECT_EQ(controller->mode(), 3);
    EXPECT_EQ(server.requests(), 1);
}

// The list's time-out of 15 seconds, run with seconds of a tenth: the answer comes at 15.5.
TEST_F(SelectionTest, AnAnswerLaterThanTheTimeOutOffersNothing) {
    constexpr auto kSecond = 100ms;
    platform::setHttpSecondForTesting(kSecond);
    server.put("Software", kKey + ":v9.0:mac/VelmarManager.dmg\r\n", Fault::None,
               static_cast<int>((recognition::kManagerListTimeoutSeconds * kSecond + kSecond / 2).count()));
    start(true);
    ASSERT_TRUE(finishCheck());
    EXPECT_EQ(controller->mode(), 3);
    EXPECT_FALSE(controller->urlManagerUpdate().has_value());
    EXPECT_EQ(controller->managerLatestVersionMajor(), 1);
}

}  // namespace
}  // namespace selection_test
