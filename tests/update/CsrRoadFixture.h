// What the CSR BlueCore road's tests share: the update worker's fixture with simulated CSR
// headsets on the real libusb-1.0 and libusb 0.1 (and a HID entry where a model switches over
// HID first), DFU images for the recognized model, and the texts a user would see.
#pragma once

#include <hidapi.h>
#include <usb.h>

#include <cstdio>
#include <map>
#include <memory>
#include <string_view>

#include "AnyHeadsetOpener.h"
#include "UpdateWorkerFixture.h"
#include "app/AppTexts.h"
#include "sim/CsrFamilyHeadset.h"
#include "sim/SimHeadset.h"
#include "tests_support/DfuImage.h"
#include "transport/CsrBccmdChannel.h"
#include "transport/HidExchange.h"
#include "update/CsrDfuUpdate.h"
#include "update/UpdateTexts.h"

namespace csr_road_test {

using sim::CsrFamilyHeadset;
using sim::DfuMachine;

// The tag of a DFU image as the maker writes it: the model's name, "#" and the id in 4 hex digits.
inline std::string makerTag(std::string_view name, int32_t id) {
    char digits[8];
    std::snprintf(digits, sizeof digits, "#%04X", static_cast<unsigned>(id));
    return std::string(name) + digits;
}

// The names the maker gives the models these tests update.
inline std::string makerName(int32_t model) {
    static const std::map<int32_t, std::string_view> names = {
        {0x3020, "NELVAR"}, {0x4D10, "HEMBRIN"}, {0x4D20, "HEMBRINR"},     {0x5010, "IVERON"},
        {0x5310, "CORVASH"}, {0x6020, "XANDORR"}, {0x6110, "DaVN CENDRA-5"},
    };
    const auto at = names.find(model);
    return at == names.end() ? std::string("?") : std::string(at->second);
}

// A unit of `model` as recognition leaves it: in normal mode, or in firmware-management mode.
inline sim::CsrStore unit(uint16_t model, bool dfuMode = false) {
    sim::CsrStore s = sim::csrModel(model);
    s.dfuMode = dfuMode;
    return s;
}

class CsrRoad : public UpdateWorkerTest {
  protected:
    void SetUp() override {
        if (!sim::HidrawTestbed::preloaded()) GTEST_SKIP() << "needs the umockdev preload (CTest sets it)";
        UpdateWorkerTest::SetUp();
        transport::busyLimitMs = transport::kDefaultBusyLimitMs;
        update::csrClaimRetries() = 0;
        update::setCsrWaitStepSource(nullptr);
        selectModel(0x4D10, 0x4D10, 50);
    }
    void TearDown() override {
        csr_usb_exit();
        UpdateWorkerTest::TearDown();
        sim_.reset();
    }

    // The selected model, the id recognition stored and the record's version (major.minor as
    // c / 10 and c % 10, with the extras the simulated store keeps).
    void selectModel(int32_t target, int32_t usb, int versionCode, int32_t recognized = 0) {
        controller.target = target;
        controller.usb = usb;
        run.record.setDeviceRecognized(recognized ? recognized : target);
        run.record.setDeviceVersionMajor(versionCode / 10);
        run.record.setDeviceVersionMinor(versionCode % 10);
        run.record.setDeviceSecondaryVersionType(1);
        run.record.setDeviceSecondaryVersion(2);
    }

    void plug(std::vector<sim::CsrStore> units, std::vector<sim::HidInterface> hid = {}) {
        std::vector<sim::UsbDevice> devices;
        for (const auto& u : units) devices.push_back(sim::csrFamilyDevice(u));
        sim_ = std::make_unique<sim::SimHeadset>(std::move(hid), std::move(devices));
        ASSERT_TRUE(sim_->mocked());
        usb_init();  // libusb 0.1 looks for /dev/bus/usb when started, so after the testbed exists
    }

    CsrFamilyHeadset& headset(size_t i = 0) { return dynamic_cast<CsrFamilyHeadset&>(sim_->usbModel(i)); }
    sim::UsbTestbed& bus() { return sim_->usb(); }

    // The image written as the firmware file; what the headset should end up holding.
    test_support::ImageBytes firmware(size_t download) {
        const int32_t recognized = run.record.deviceRecognized();
        auto image = test_support::dfu_image(makerTag(makerName(recognized), recognized), download);
        writeFirmware(image);
        return test_support::ImageBytes(image.begin(), image.end() - 16);
    }

    void update() {
        controller.boxes.clear();
        controller.closedBoxes = 0;
        controller.closedAtMs.clear();
        update::threadMethodUpdate(run);
    }

    bool nothingOpen() {
        for (size_t i = 0; i < bus().size(); ++i)
            if (bus().openHandles(i) != 0) return false;
        return true;
    }

    std::string failure(const std::string& text, const std::string& where = "") const {
        return app::AppTexts::qelm_status_failure(controller.mode_, controller.usb, 0).value_or("") + ". " + text +
               where;
    }

    std::vector<DfuMachine::Request> dfuRequests(uint8_t request, size_t i = 0) {
        std::vector<DfuMachine::Request> out;
        for (const auto& r : headset(i).dfuRequests())
            if (r.request == request) out.push_back(r);
        return out;
    }

    std::unique_ptr<sim::SimHeadset> sim_;
};

}  // namespace csr_road_test
