// What the CSR road tests share: a controller made of plain fields, the page's result fields, the
// simulated CSR headsets on the real libusb-1.0 and libusb 0.1, and a virtual clock for the
// one-second open retries.
#pragma once

#include <gtest/gtest.h>
#include <usb.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "platform/Clock.h"
#include "RecognitionFixture.h"
#include "recognition/RecognitionContext.h"
#include "sim/CsrFamilyHeadset.h"
#include "transport/CsrBccmdChannel.h"

namespace csrtest {

// The worker tests' controller, with the selection's siblings and a camera disk to set.
class PlainController : public FakeController {
  public:
    std::optional<std::string> cameraDisk;
    // Pairs {id, target} that count as the selected model besides the target itself.
    std::set<std::pair<int32_t, int32_t>> siblings = {{0x4D30, 0x4D10}, {0x4D40, 0x4D10}, {0x5050, 0x5040}};

    bool isDeviceTargetSameAs(int32_t id) const override { return id == target || siblings.count({id, target}); }
    platform::OptString getCameraDiskPath() const override { return cameraDisk; }
};

class CsrRoadTest : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!sim::HidrawTestbed::preloaded())
            GTEST_SKIP() << "needs the umockdev preload (CTest sets it)";
        platform::setClock(&clock);
        // The first run of a process only opens models of the firmware-management list; the
        // tests about that probe ask for it.
        page.isFirst = false;
    }

    void TearDown() override {
        csr_usb_exit();
        sim.reset();
        platform::setClock(nullptr);
    }

    // The headsets on the bus, in list order.
    void plug(const std::vector<sim::CsrStore>& stores) {
        std::vector<sim::UsbDevice> devices;
        for (const sim::CsrStore& s : stores) {
            headsets.push_back(sim::csrFamilyHeadset(s));
            devices.push_back(sim::usbDevice(headsets.back()));
        }
        sim = std::make_unique<sim::SimHeadset>(std::vector<sim::HidInterface>{}, std::move(devices));
        ASSERT_TRUE(sim->mocked());
        usb_init();  // libusb 0.1 looks for /dev/bus/usb when started, so after the testbed exists
    }

    void recognize() { recognition::recognizeCsrHeadset(ctx); }

    std::string status(int language = 0) const { return page.strStatusThreadRecognize(language).value_or("(none)"); }
    int32_t result() const { return page.resultThreadRecognize; }
    sim::CsrFamilyHeadset& headset(size_t i = 0) { return *headsets.at(i); }

    platform::VirtualClock clock;
    PlainController controller;
    recognition::ThreadRecognizeFields page;
    recognition::RecognitionContext ctx{controller, page};
    std::vector<std::shared_ptr<sim::CsrFamilyHeadset>> headsets;
    std::unique_ptr<sim::SimHeadset> sim;
};

}  // namespace csrtest
