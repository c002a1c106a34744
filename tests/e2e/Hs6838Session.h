// What the end-to-end tests of the simulated 0x6838 share: the requests it was asked, a bounded
// wait on the program's state, and a two-block firmware archive for it.
#pragma once

#include <chrono>
#include <cstdint>
#include <string>
#include <thread>
#include <vector>

#include "ChildProcess.h"
#include "sim/Hs6838Model.h"
#include "tests_support/FirmwareArchive.h"

namespace e2e {

// How often the headset was asked a format-B command with its parameter.
inline int requestsOf(const sim::Hs6838Model& headset, uint8_t command, uint8_t parameter) {
    int n = 0;
    for (const auto& r : headset.requests())
        n += r.format == sim::Format::B && r.bytes[2] == command && r.bytes[3] == parameter;
    return n;
}

// The last two blocks the headset took: what the last run of a two-block archive wrote.
inline std::vector<std::vector<uint8_t>> lastTwoBlocks(const sim::Hs6838Model& headset) {
    auto blocks = headset.blocks();
    if (blocks.size() < 2) return blocks;
    return {blocks.end() - 2, blocks.end()};
}

// Polls done until it holds, the program ends or the bound passes; done's last answer.
template <typename Condition>
bool waitWhileRunning(ChildProcess& program, Condition done, std::chrono::milliseconds bound) {
    auto end = std::chrono::steady_clock::now() + bound;
    while (!done() && program.running() && std::chrono::steady_clock::now() < end)
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    return done();
}

// An archive of two blocks (0x20 and 0x21) of blockSize bytes made from seed; the blocks' bytes
// are appended to blocks.
inline std::vector<uint8_t> twoBlockArchive(const std::string& modelName, unsigned char seed, size_t blockSize,
                                            std::vector<std::vector<uint8_t>>& blocks) {
    test_support::ArchiveRecipe recipe;
    recipe.model_name = modelName;
    recipe.header_id = 0x6838;
    recipe.layout = test_support::Layout::long_table;
    recipe.parts.clear();
    for (uint32_t b = 0; b < 2; ++b) {
        std::vector<unsigned char> data(blockSize);
        for (size_t i = 0; i < blockSize; ++i) data[i] = static_cast<unsigned char>(seed + b + i * 13);
        test_support::ArchiveEntry e(data);
        e.number = 0x20 + b;
        recipe.parts.push_back(e);
        blocks.push_back(e.data);
    }
    auto bytes = test_support::make_archive(recipe);
    return std::vector<uint8_t>(bytes.begin(), bytes.end());
}

}  // namespace e2e
