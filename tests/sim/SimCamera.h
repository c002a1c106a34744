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
    // release the state stays 1 for this many queries (a camera slow to apply its file).
    void failStateQueries(std::set<int> queries);
    void neverShowCard();
    void staysInAfterRelease(int queries);

    int applied() const;
    bool inStorage() const;

  private:
    mutable std::mutex mutex_;
    std::string card_, target_, versionFile_, appliedVersion_;
    bool storage_ = false;
    bool hidden_ = false;
    int queries_ = 0;
    std::set<int> failing_;
    int staysIn_ = 0, staysInLeft_ = 0;
    int applied_ = 0;
};

}  // namespace sim
