// What the mesh-family tests share: the headset (a part-download headset that takes the mesh
// commands) with its mesh module off the bus until the headset hands over, both restarting on
// the virtual clock, opened by an opener that takes the headset's own product id only (the
// program's own open passes these models over); and the families' firmware containers.
#pragma once

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <memory>

#include "PartDownloadFixture.h"
#include "sim/MeshHeadset.h"
#include "sim/Hs6838Model.h"
#include "sim/MeshModule.h"

namespace mesh_test {

using part_download::PartSpec;

// The product id that openMeshHeadset takes.
inline uint16_t headsetPid = 0;

inline bool notAMeshModule(uint16_t pid) {
    constexpr uint16_t kModules[] = {0x3120, 0x3220, 0x6511, 0x6501, 0x3160};
    return std::find(std::begin(kModules), std::end(kModules), pid) == std::end(kModules);
}

inline int openMeshHeadset(uint32_t* pid, char* message) { return openHeadsetWhere(nullptr, headsetPid, pid, message); }
// Whatever headset is on the bus, as the program's open would find one that came back as another
// product.
inline int openAnyMeshHeadset(uint32_t* pid, char* message) { return openHeadsetWhere(notAMeshModule, 0, pid, message); }

// The image of entry k as the container builder makes it.
inline std::vector<unsigned char> entryBytes(size_t length, size_t k) {
    return part_download::partBytes(length, static_cast<unsigned char>(k + 1));
}

class MeshTest : public part_download::PartDownloadTest {
  protected:
    void SetUp() override {
        PartDownloadTest::SetUp();
        if (IsSkipped()) return;
        run.openHeadset = openMeshHeadset;
    }

    // The headset `pid` (version 1.2 in both of the record's versions) and its module entry, off
    // the bus until two seconds after each of the headset's `handover` commands, the first
    // `appearances` times; `more` entries after them.
    void plugHeadsetAndModule(uint16_t pid, sim::HidInterface moduleEntry, uint8_t handover, int appearances,
                              std::vector<sim::HidInterface> more = {}) {
        controller.target = controller.usb = pid;
        headsetPid = pid;
        run.record.setDeviceRecognized(pid);
        run.record.setDeviceVersionMajor(1);
        run.record.setDeviceVersionMinor(2);
        run.record.setDeviceVersionMajor01(1);
        run.record.setDeviceVersionMinor01(2);
        meshHeadset = std::make_shared<sim::MeshHeadset>();
        headset = meshHeadset;
        std::vector<sim::HidInterface> entries{sim::hid(pid).servedBy(meshHeadset), moduleEntry.offBus()};
        entries.insert(entries.end(), more.begin(), more.end());
        sim_ = std::make_unique<sim::SimHeadset>(entries);
        ASSERT_TRUE(sim_->mocked());
        meshHeadset->restartsOn(sim_->testbed(), 0, clock);
        meshHeadset->bringsModule(handover, 1, 2000, appearances);
    }

    // With a 0x3120 module (or, of format C, a QCC module).
    void plugMesh(uint16_t pid, uint16_t modulePid = 0x3120, uint8_t handover = 0x50, int appearances = 2,
                  sim::Format moduleFormat = sim::Format::A) {
        module = std::make_shared<sim::SimMeshModule>(moduleFormat);
        ASSERT_NO_FATAL_FAILURE(plugHeadsetAndModule(pid, sim::hid(modulePid).servedBy(module), handover, appearances));
        module->restartsOn(sim_->testbed(), 1, clock);
    }

    // With an Airoha mesh module (format B, 0x3220) that comes back five seconds after its loader.
    void plugAirohaMesh(uint16_t pid, uint8_t handover = 0x50, std::vector<sim::HidInterface> more = {}) {
        airoha = std::make_shared<sim::Hs6838Model>();
        ASSERT_NO_FATAL_FAILURE(
            plugHeadsetAndModule(pid, sim::hid(0x3220).servedBy(airoha), handover, 1000, std::move(more)));
        airoha->restartsOn(sim_->testbed(), 1, clock, 5000);
    }
    // The module's format B commands with their first argument byte, in order.
    std::vector<std::pair<uint8_t, uint8_t>> airohaCommands() const {
        std::vector<std::pair<uint8_t, uint8_t>> out;
        for (const auto& r : airoha->requests())
            if (r.format == sim::Format::B) out.push_back({r.bytes[2], r.bytes[3]});
        return out;
    }

    std::vector<uint8_t> targets() const {
        std::vector<uint8_t> out;
        for (const auto& p : headset->parts()) out.push_back(p.target);
        return out;
    }

    std::shared_ptr<sim::MeshHeadset> meshHeadset;
    std::shared_ptr<sim::SimMeshModule> module;
    std::shared_ptr<sim::Hs6838Model> airoha;
};

}  // namespace mesh_test
