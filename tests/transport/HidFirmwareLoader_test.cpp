// The feature-report firmware loader against the simulated headset: file checks, the download
// the simulator reassembles byte for byte, and the device's status answers.
#include "transport/HidFirmwareLoader.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#include <zlib.h>

#include <filesystem>
#include <fstream>
#include <numeric>
#include <string>

#include "SimFixture.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;

// An image whose header holds its length at byte 10.
std::vector<uint8_t> image(size_t size, uint32_t lengthField) {
    std::vector<uint8_t> v(size);
    for (size_t i = 0; i < size; ++i) v[i] = static_cast<uint8_t>(i * 7 + (i >> 8));
    if (size >= 14)
        for (int k = 0; k < 4; ++k) v[10 + k] = static_cast<uint8_t>(lengthField >> (8 * k));
    return v;
}

void putLe32(std::vector<uint8_t>& v, uint32_t x) {
    for (int k = 0; k < 4; ++k) v.push_back(static_cast<uint8_t>(x >> (8 * k)));
}

// The DFU suffix, its CRC taken from zlib (the suffix keeps it without the final XOR).
struct Suffix {
    uint16_t bcdDfu = 0x0100;
    uint8_t length = 16;
    const char* signature = "UFD";
    bool zlibFinalXor = false;
};

std::vector<uint8_t> withSuffix(std::vector<uint8_t> v, Suffix s = {}) {
    for (uint16_t field : {uint16_t(0x0100), uint16_t(0x6042), uint16_t(0x3A6E), s.bcdDfu}) {
        v.push_back(static_cast<uint8_t>(field));
        v.push_back(static_cast<uint8_t>(field >> 8));
    }
    v.insert(v.end(), s.signature, s.signature + 3);
    v.push_back(s.length);
    uint32_t zlib = static_cast<uint32_t>(::crc32(0, v.data(), static_cast<uInt>(v.size())));
    putLe32(v, s.zlibFinalXor ? zlib : ~zlib);
    return v;
}

// Runs a program as an ordinary one (without our preload), its output discarded; its exit code.
int runWithoutPreload(const std::vector<std::string>& args) {
    std::vector<char*> argv, envp;
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    for (char** e = environ; *e; ++e)
        if (std::strncmp(*e, "LD_PRELOAD=", 11) != 0) envp.push_back(*e);
    envp.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    pid_t child;
    int spawned = posix_spawn(&child, argv[0], &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    int status = 0;
    if (spawned != 0 || waitpid(child, &status, 0) < 0) return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

class Loader : public SimTest {
  protected:
    void SetUp() override {
        SimTest::SetUp();
        if (IsSkipped()) return;
        dir_ = fs::temp_directory_path() / ("velmar-loader-" + std::to_string(getpid()));
        fs::create_directories(dir_);
        ASSERT_NO_FATAL_FAILURE(openHeadset());
        useVirtualClock();
        transport::busyLimitMs = 60'000;
    }
    void TearDown() override {
        SimTest::TearDown();
        std::error_code ignored;
        fs::remove_all(dir_, ignored);
    }

    std::string write(const std::vector<uint8_t>& bytes, const std::string& name = "fw.dfu") {
        std::string path = (dir_ / name).string();
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
        return path;
    }

    int download(const std::string& path) { return hid_dfu_download_file(usbhid_slot(0), path.c_str()); }

    // The download reports as the device saw them: block number and data length.
    std::vector<std::pair<int, int>> blocks() {
        std::vector<std::pair<int, int>> v;
        for (const auto& r : model().dfuReports()) {
            EXPECT_EQ(r.size(), 1023u);
            int length = r[4] | r[5] << 8;
            for (size_t i = 6 + length; i < r.size(); ++i) {
                EXPECT_EQ(r[i], 0) << "padding byte " << i;
                if (r[i]) break;
            }
            v.emplace_back(r[2] | r[3] << 8, length);
        }
        return v;
    }

    fs::path dir_;
};

}  // namespace

TEST_F(Loader, StreamsTheImageTheSimulatorReassembles) {
    std::vector<uint8_t> file = withSuffix(image(3000, 3000));
    EXPECT_EQ(download(write(file)), 0);
    EXPECT_EQ(model().dfuImage(), std::vector<uint8_t>(file.begin(), file.begin() + 3000));
    EXPECT_EQ(blocks(), (std::vector<std::pair<int, int>>{{0, 1017}, {1, 1017}, {2, 966}, {3, 0}}));
    EXPECT_TRUE(model().dfuEnded());
    EXPECT_EQ(model().clearStatusRequests(), 0);
}

TEST_F(Loader, StreamsAFixtureMadeByDfuSuffix) {
    if (std::string(DFU_SUFFIX_PROGRAM).empty()) GTEST_SKIP() << "dfu-suffix is not installed";
    std::vector<uint8_t> raw = image(2500, 2500);
    std::string path = write(raw, "made-by-dfu-suffix.bin");
    ASSERT_EQ(runWithoutPreload({DFU_SUFFIX_PROGRAM, "-v", "3a6e", "-p", "6042", "-d", "0100", "-a", path}),
              0);
    ASSERT_EQ(fs::file_size(path), raw.size() + 16);

    EXPECT_EQ(download(path), 0);
    EXPECT_EQ(model().dfuImage(), raw);
    EXPECT_TRUE(model().dfuEnded());
}

TEST_F(Loader, ImageLengthCoveringTheSuffixSendsItToo) {
    std::vector<uint8_t> file = withSuffix(image(1100, 1116));
    EXPECT_EQ(download(write(file)), 0);
    EXPECT_EQ(model().dfuImage(), file);
}

TEST_F(Loader, ImageLengthZeroSendsOneEmptyBlockThenTheEnd) {
    EXPECT_EQ(download(write(withSuffix(image(100, 0)))), 0);
    EXPECT_EQ(blocks(), (std::vector<std::pair<int, int>>{{0, 0}, {1, 0}}));
}

// A header that claims more than the file holds would stream bytes that are not there.
TEST_F(Loader, FileLyingAboutItsImageLengthFailsBeforeAnyBlock) {
    EXPECT_EQ(download(write(withSuffix(image(500, 517)))), -1);
    EXPECT_TRUE(model().dfuReports().empty());
}

namespace {

struct FileCase {
    std::string name;
    std::vector<uint8_t> bytes;
    int result;
};

void PrintTo(const FileCase& c, std::ostream* os) { *os << c.name; }

class LoaderFileCheck : public Loader, public ::testing::WithParamInterface<FileCase> {};

}  // namespace

TEST_P(LoaderFileCheck, RejectsBadFilesBeforeAnyBlock) {
    const FileCase& c = GetParam();
    EXPECT_EQ(download(write(c.bytes)), c.result);
    EXPECT_TRUE(model().dfuReports().empty());
}

INSTANTIATE_TEST_SUITE_P(Transport, LoaderFileCheck,
                         ::testing::ValuesIn(std::vector<FileCase>{
                             {"FifteenBytes", std::vector<uint8_t>(15, 0), -1},
                             {"SuffixLengthFifteen", withSuffix(image(64, 64), {.length = 15}), -1},
                             {"SuffixLongerThanTheFile", withSuffix(image(64, 64), {.length = 81}), -1},
                             {"DfuVersion0110", withSuffix(image(64, 64), {.bcdDfu = 0x0110}), -1},
                             {"WrongSignature", withSuffix(image(64, 64), {.signature = "DFU"}), -1},
                             {"CrcWithTheUsualFinalXor", withSuffix(image(64, 64), {.zlibFinalXor = true}),
                              -6},
                             {"CorruptedImage",
                              [] {
                                  auto v = withSuffix(image(64, 64));
                                  v[20] ^= 1;
                                  return v;
                              }(),
                              -6},
                         }),
                         [](const auto& info) { return info.param.name; });

TEST_F(Loader, MissingFileIsNoFile) { EXPECT_EQ(download((dir_ / "absent.dfu").string()), -1); }

TEST_F(Loader, SixteenByteFileTakesItsCrcOverTwelveBytes) {
    std::vector<uint8_t> file = withSuffix({});
    testing::internal::CaptureStdout();
    // Its "image length" is suffix bytes, far more than 16: refused after the CRC matched.
    EXPECT_EQ(download(write(file)), -1);
    std::string out = testing::internal::GetCapturedStdout();
    uint32_t crc = ~static_cast<uint32_t>(::crc32(0, file.data(), 12));
    char line[64];
    std::snprintf(line, sizeof line, "CRC %X %X \n", crc, crc);
    EXPECT_NE(out.find(line), std::string::npos) << out;
}

namespace {

struct DeviceCase {
    std::string name;
    sim::DfuBehaviour dfu;
    int result;
    int reports;  // download reports the device took
};

void PrintTo(const DeviceCase& c, std::ostream* os) { *os << c.name; }

class LoaderDevice : public Loader, public ::testing::WithParamInterface<DeviceCase> {};

}  // namespace

TEST_P(LoaderDevice, EndsAsTheDeviceStatusSays) {
    const DeviceCase& c = GetParam();
    model().setDfu(c.dfu);
    EXPECT_EQ(download(write(withSuffix(image(2100, 2100)))), c.result);
    EXPECT_EQ(static_cast<int>(model().dfuReports().size()), c.reports);
}

INSTANTIATE_TEST_SUITE_P(Transport, LoaderDevice,
                         ::testing::ValuesIn(std::vector<DeviceCase>{
                             {"BusyOnceAfterEachBlock", {}, 0, 4},
                             {"NeverBusy", {.busyAnswersPerBlock = 0}, 0, 4},
                             {"ErrorAtStartIsClearedOnce", {.initialStatus = 10}, 0, 4},
                             {"ClearingFails", {.initialStatus = 10, .clearFails = true}, -15, 0},
                             {"BusyTwiceAfterABlock", {.busyAnswersPerBlock = 2}, -8, 1},
                             {"StatusNotFetched", {.statusFails = true}, -12, 0},
                             {"ShortStatusReport", {.statusReportSize = 3}, -12, 0},
                             {"BlockNotTaken", {.failDownloadAtBlock = 1}, -12, 1},
                         }),
                         [](const auto& info) { return info.param.name; });

TEST_F(Loader, WaitsThePollTimeOutOnTheClockWithinTheBusyLimit) {
    sim::DfuBehaviour dfu;
    dfu.pollTimeoutMs = 700;
    model().setDfu(dfu);
    ASSERT_EQ(download(write(withSuffix(image(2100, 2100)))), 0);
    // Three busy answers waited out and the final wait: 4 x 700 ms.
    EXPECT_EQ(virtualClock_.sleptMs(), 4 * 700);

    // A device asking for hours is given the busy limit.
    usbhid_close_all();
    sim_.reset();
    ASSERT_NO_FATAL_FAILURE(openHeadset());
    dfu.pollTimeoutMs = 0xFFFFFF;
    model().setDfu(dfu);
    transport::busyLimitMs = 1000;
    int64_t before = virtualClock_.sleptMs();
    ASSERT_EQ(download(write(withSuffix(image(2100, 2100)), "again.dfu")), 0);
    EXPECT_EQ(virtualClock_.sleptMs() - before, 4 * 1000);
}

TEST_F(Loader, VendorRequestIsSentOrReportedAsFailed) {
    EXPECT_EQ(hid_dfu_vendor_request(usbhid_slot(0)), 0);
    EXPECT_EQ(model().vendorRequests(), 1);
    sim_->unplug();
    EXPECT_EQ(hid_dfu_vendor_request(usbhid_slot(0)), -9);
}

TEST_F(Loader, StatusFetchStoresStatusAndState) {
    sim::DfuBehaviour dfu;
    dfu.initialStatus = 10;
    model().setDfu(dfu);
    uint8_t status = 0xAA, state = 0xAA;
    EXPECT_EQ(hid_dfu_get_status(usbhid_slot(0), &status, &state), 0);
    EXPECT_EQ(status, 10);
    EXPECT_EQ(state, 10);
    dfu.statusReportSize = 5;
    model().setDfu(dfu);
    status = state = 0xAA;
    EXPECT_EQ(hid_dfu_get_status(usbhid_slot(0), &status, &state), -12);
    EXPECT_EQ(status, 0xAA);  // outputs keep their values
    EXPECT_EQ(hid_dfu_wait_status(usbhid_slot(0), 1), -12);
}

TEST(LoaderPlain, ImageLengthReadsByteTenLittleEndian) {
    std::vector<uint8_t> img = image(32, 0x01020304);
    EXPECT_EQ(hid_dfu_image_length(img.data(), img.size()), 0x01020304u);
    EXPECT_EQ(hid_dfu_image_length(img.data(), 13), 0u);  // too short to hold it
}

TEST_F(Loader, DfuCommandIsAFormatAExchangeOnAHandle) {
    sim::Faults f;
    f.busyReplies = 2;
    model().setFaults(f);
    uint8_t request[kLongRequestSize] = {1, 0x21};
    uint8_t reply[kLongReplySize] = {};
    testing::internal::CaptureStdout();
    EXPECT_TRUE(hid_dfu_command(usbhid_slot(0), request, reply));
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    model().setAnswer(sim::Format::A, 0x21, {6, {}});
    EXPECT_FALSE(hid_dfu_command(usbhid_slot(0), request, reply));
}
