// A helmet camera behind a part-download headset: storage mode shows its card (a test folder
// holding the marker and version file) to the camera-disk lookup; leaving it applies a target file
// found on the card (the version file takes the new version, the target goes) and hides the card.
#pragma once

#include <mutex>
#include <set>
#include <string>

namespace sim {

class SimCamera {
  public:
    // `card`: the folder; `target`: the file it applies; `versionFile`: relative to the card.
    SimCamera(std::string card, std::string target, std::string versionFile, std::string appliedVersion);

    void storageOn();
    void storageOff();
    // The state as 0x22 answers it; false when this query fails (its 1-based number is listed).
    bool stateQuery(uint8_t& state);

    // Faults: these 0x22 queries (1-based, over the run) fail; the card never shows; after each
    // switch into storage mode the state stays 0 for this many queries (a camera still applying
    // its file, as 0x5580's does).
    void failStateQueries(std::set<int> queries);
    void neverShowCard();
    void slowIntoStorage(int queries);

    int applied() const;
    bool inStorage() const;

  private:
    mutable std::mutex mutex_;
    std::string card_, target_, versionFile_, appliedVersion_;
    bool storage_ = false;
    bool hidden_ = false;
    int queries_ = 0;
    std::set<int> failing_;
    int slow_ = 0, slowLeft_ = 0;
    int applied_ = 0;
};

}  // namespace sim
