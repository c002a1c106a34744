// What the QCC road tests share: a QCC headset (the simulated 0x6042 and its siblings) on the
// simulated bus, restarting on the virtual clock, and QCC archives built by the shared builder.
#pragma once

#include <memory>

#include "AnyHeadsetOpener.h"
#include "UpdateWorkerFixture.h"
#include "sim/Hs6042Model.h"
#include "sim/SimHeadset.h"

namespace qcc {

struct QccPart {
    uint8_t type;
    size_t length;
};

inline std::vector<unsigned char> qccBytes(size_t n, unsigned char seed) {
    std::vector<unsigned char> out(n);
    for (size_t i = 0; i < n; ++i) out[i] = static_cast<unsigned char>(seed * 31 + i * 7 + (i >> 8));
    return out;
}

// Both tables describe the same parts (the loader checks the long one for some models).
inline test_support::ArchiveBytes qccArchive(uint32_t model, const std::vector<QccPart>& parts) {
    test_support::ArchiveRecipe recipe;
    recipe.model_name = "QCCVELMAR";
    recipe.header_id = model;
    recipe.layout = test_support::Layout::long_table;
    recipe.parts.clear();
    unsigned char seed = 1;
    for (const QccPart& p : parts) {
        test_support::ArchiveEntry e(qccBytes(p.length, seed++));
        e.target = p.type;
        e.number = p.type;
        recipe.parts.push_back(std::move(e));
    }
    return test_support::make_archive(recipe);
}

class QccRoadTest : public UpdateWorkerTest {
  protected:
    void SetUp() override {
        if (!sim::HidrawTestbed::preloaded()) GTEST_SKIP() << "needs the umockdev preload (CTest sets it)";
        controller = FakeUpdateController{};  // a table's cases start afresh
        UpdateWorkerTest::SetUp();
        controller.mode_ = 6;
    }
    void TearDown() override {
        UpdateWorkerTest::TearDown();
        sim_.reset();
    }

    // The QCC headset of model `pid` (vendor interface only), recognized with the record's
    // version; models other than 0x6042 open through the any-headset opener.
    void plug(uint16_t pid, const sim::Hs6042Model::Behaviour& b = {}) {
        controller.target = controller.usb = pid;
        run.record.setDeviceRecognized(pid);
        if (pid != 0x6042) run.openHeadset = openAnyHeadset;
        headset = std::make_shared<sim::Hs6042Model>();
        headset->setBehaviour(b);
        sim_ = std::make_unique<sim::SimHeadset>(std::vector<sim::HidInterface>{sim::hid(pid).servedBy(headset)});
        ASSERT_TRUE(sim_->mocked());
        headset->restartsOn(sim_->testbed(), 0, clock);
    }

    // A table's next case: events still due (a headset coming back) run on this case's bus first.
    void nextCase() {
        clock.sleepMs(600000);
        TearDown();
        SetUp();
    }

    std::shared_ptr<sim::Hs6042Model> headset;
    std::unique_ptr<sim::SimHeadset> sim_;
};

}  // namespace qcc
