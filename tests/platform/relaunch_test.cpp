// The relaunch starts this very executable again with the stored arguments. The test binary is
// started as the program would be: asked only to list its tests into a file, it ends at once, so
// no second run is left behind.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "platform/Process.h"
#include "tests_support/TempDir.h"

namespace {

TEST(Relaunch, StartsOurOwnExecutableWithTheStoredArguments) {
    test_support::TempDir dir;
    const std::string listing = dir.path() + "/listing.json";
    std::string name = "relaunched";
    std::string list = "--gtest_list_tests";
    std::string output = "--gtest_output=json:" + listing;
    char* argv[] = {name.data(), list.data(), output.data()};
    platform::setProgramArguments(3, argv);

    ASSERT_TRUE(platform::relaunchSelf());
    std::string text;
    for (int i = 0; i < 300 && text.find(R"("name": "StartsOurOwnExecutableWithTheStoredArguments")") == std::string::npos;
         ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        std::ifstream in(listing);
        std::stringstream all;
        all << in.rdbuf();
        text = all.str();
    }
    EXPECT_NE(text.find(R"("name": "Relaunch")"), std::string::npos) << text;
    EXPECT_NE(text.find(R"("name": "StartsOurOwnExecutableWithTheStoredArguments")"), std::string::npos) << text;
    platform::setProgramArguments(0, nullptr);
}

}  // namespace
