#include "sim/Hs6042Model.h"

namespace sim {

Hs6042Model::Hs6042Model(const Profile& p) {
    setByte(0x12, 0);  // probe: ready
    setByte(0x1A, p.fmRadio ? 1 : 0);
    setVersion({p.version[0], p.version[1], p.version[2], p.version[3]});
    setKey(kKeyName, nameWords(p.name));
    setKey(kKeyFm, {p.fm.begin(), p.fm.end()});
    for (uint8_t k = 0; k < 3; ++k) setKey(static_cast<uint8_t>(kKeySpeedDial + k), textWords(p.speedDials[k], 20));
}

}  // namespace sim
