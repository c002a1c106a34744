// The generic walk over the layout tables: the conditions, the family list and the first match.
#include "settings/RowLayouts.h"

#include <algorithm>

namespace settings {

namespace {

using R = device::ORVABluetoothDeviceData;

bool holds(const Condition& c, const ListInputs& in) {
    // Without a record the firmware reads as 0.0.0.0, as a fresh record does.
    static const R kEmpty;
    const R& data = in.data ? *in.data : kEmpty;
    const int32_t speaker = in.device50SpeakerType;
    switch (c.test) {
        case Test::Always: return true;
        case Test::Below: return data.compareVersionUpToMinorWithMajor(c.a, c.b) < 0;
        case Test::From: return data.compareVersionUpToMinorWithMajor(c.a, c.b) >= 0;
        case Test::Below3: return data.compareVersionUpToMinor2ndWithMajor2nd(c.a, c.b, c.c) < 0;
        case Test::From3: return data.compareVersionUpToMinor2ndWithMajor2nd(c.a, c.b, c.c) >= 0;
        case Test::BelowFull:
        case Test::FromFull: {
            const int32_t cmp = R::compareVersionMajor(data.deviceVersionMajor(), data.deviceVersionMinor(),
                                                       data.deviceSecondaryVersionType(), data.deviceSecondaryVersion(),
                                                       c.a, c.b, c.c, c.d, false);
            return c.test == Test::BelowFull ? cmp < 0 : cmp >= 0;
        }
        case Test::FmShown: return in.fmRadioShowAndHide != 4;
        case Test::FmHidden: return in.fmRadioShowAndHide == 4;
        case Test::FmIs: return in.fmRadioShowAndHide == c.a;
        case Test::SpeakerKnown: return speaker >= 0 && speaker <= 7;
        case Test::SpeakerNegative: return speaker < 0;
        case Test::SpeakerAbove7: return speaker > 7;
        case Test::SpeakerOther: return speaker < 0 || speaker > 7;
        case Test::StatusIs: return in.deviceInfoStatus == c.a;
        case Test::StatusIsNot: return in.deviceInfoStatus != c.a;
        case Test::MotionIs: return in.motionSensorShowAndHide == c.a;
        case Test::MotionIsNot: return in.motionSensorShowAndHide != c.a;
    }
    return false;
}

}  // namespace

bool holds(std::span<const Condition> conditions, const ListInputs& in) {
    return std::all_of(conditions.begin(), conditions.end(), [&](const Condition& c) { return holds(c, in); });
}

std::span<const LayoutFamily> allLayoutFamilies() {
    static const LayoutFamily kFamilies[] = {
        {"FERRIK", ferrikGroups()},
        {"camera", cameraGroups()},
        {"HID intercom", hidIntercomGroups()},
        {"Airoha and QCC", airohaQccGroups()},
        {"mesh", meshGroups()},
        {"older mesh", olderMeshGroups()},
        {"other headsets", otherHeadsetGroups()},
    };
    return kFamilies;
}

const SelectionGroup* groupFor(uint16_t productId) {
    for (const LayoutFamily& family : allLayoutFamilies())
        for (const SelectionGroup& group : family.groups)
            if (std::find(group.productIds.begin(), group.productIds.end(), productId) != group.productIds.end())
                return &group;
    return nullptr;
}

const Layout* chooseLayout(const ListInputs& in) {
    const SelectionGroup* group = groupFor(in.deviceTarget);
    if (!group) return nullptr;
    for (const LayoutChoice& choice : group->choices)
        if (holds(choice.when, in)) return choice.layout;
    return nullptr;
}

}  // namespace settings
