// A row kind of the all-settings list as data: its label, its cell, the getter it reads from the
// edit copy, how the value selects a radio column or a pop-up item, which items the pop-up offers,
// when its control is enabled, its information button and its log line. Layouts (RowLayouts.h)
// are ordered lists of row kinds; one engine (AllSettingsList.h) builds every cell from them.
#pragma once

#include <cstdint>
#include <span>

#include "app/TextIds.h"
#include "device/SettingGetters.h"

namespace settings {

// A text shown in the interface language: a catalogue entry, or a literal that is the same in
// every language ("1" ... "10", "Remote UI RTT", the dialect names, "CH 2").
struct RowText {
    app::TextId entry{};
    const char* literal = nullptr;
    // A pop-up item made with the format "%@ n" from the row's own label (Channel 1 ... 9).
    int8_t labelNumber = 0;
    // An item that is the controller's "Disable" word (first item of the level lists).
    bool disableWord = false;
};

constexpr RowText text(app::TextId entry) { return RowText{entry}; }
constexpr RowText literal(const char* s) { return RowText{app::TextId{}, s}; }
constexpr RowText labelNumbered(int n) { return RowText{app::TextId{}, nullptr, static_cast<int8_t>(n)}; }
constexpr RowText disableWord() { return RowText{app::TextId{}, nullptr, 0, true}; }

// The items of one pop-up, in display order.
using ItemList = std::span<const RowText>;

enum class CellKind : uint8_t {
    OnOff,  // "settingsAllBasicOnOffCell": column 0 enable, column 1 disable
    PopUp,  // "settingsAllBasicComboCell"
};

// Which radio column the value selects.
enum class OnOffRule : uint8_t {
    Direct,     // column 0 for a non-zero value
    Inverted,   // column 0 for 0
    Accessory,  // column 1 only for 8
};

// Which item the value selects; an index outside the items selects none.
enum class ItemMapping : uint8_t {
    Value,
    ValueMinusOne,
    ValueMinusEight,
    TenMinusValue,
    EssStatus,       // 1, 2, 3 select themselves; any other value item 0
    EssSensitivity,  // 1, 2, 3 select value - 1; any other value item 1
};

// How the pop-up's items are chosen at build time.
enum class ItemsBy : uint8_t {
    Fixed,             // items
    GetterEquals,      // other when getter (on the edit copy) equals value, else items
    ProductIdEquals,   // other when the controller's deviceTarget equals value, else items
    LanguagePackType,  // items for pack type 0, other for 2, third for any other type
};

struct ItemRule {
    ItemsBy by = ItemsBy::Fixed;
    ItemList items{};
    ItemList other{};
    ItemList third{};
    device::SettingGetter getter = device::SettingGetter::Count;
    int32_t value = 0;
};

// When the row's control is enabled (evaluated after the value is selected).
enum class EnableWhen : uint8_t {
    Always,
    GetterEquals,               // getter of the edit copy == value
    GetterNotEquals,            // getter of the edit copy != value
    StatusIn,                   // controller's deviceInfoStatus is one of values
    StatusNotIn,                // ... is none of values
    GetterNotEqualsOrFromVersion,  // getter != value, or the firmware of data is major.minor or later
};

struct Enabling {
    EnableWhen when = EnableWhen::Always;
    device::SettingGetter getter = device::SettingGetter::Count;
    int32_t value = 0;
    std::span<const int32_t> values{};
    int32_t major = 0, minor = 0;
};

// Trace lines some rows write while they are built (value in place of %d).
enum class LogLine : uint8_t {
    None,
    Speaker,        // "speaker [%d]": the getter named by the enabling rule, on the edit copy
    SpeakerValue,   // "speaker value =[%d], curr[%d]": the accessory of data, then of the edit copy
    HeadsetLanguage,  // "PQPQ # %d": the row's value
};

struct RowKind {
    RowText label;
    CellKind cell = CellKind::OnOff;
    device::SettingGetter getter = device::SettingGetter::Count;
    // The getter's slot where it takes one; product id and pack type are filled in by the engine.
    int32_t slot = 0;
    OnOffRule onOff = OnOffRule::Direct;
    ItemRule items{};
    ItemMapping mapping = ItemMapping::Value;
    Enabling enabling{};
    bool info = true;  // information button shown and enabled; else hidden and disabled
    LogLine log = LogLine::None;
    // The setting has no place in what this model saves: the record does not know where it lives
    // (its getter reads a constant, its setter stores nothing), or the model's settings word has no
    // bit for it. The control is shown disabled, so no pick looks taken and then goes nowhere. The
    // enabling above is the row's own and applies again once the field is known.
    bool fieldUnknown = false;
};

// Builders that read like the layout tables.
constexpr RowKind onOff(app::TextId label, device::SettingGetter getter, OnOffRule rule = OnOffRule::Direct,
                        Enabling enabling = {}) {
    RowKind k;
    k.label = text(label);
    k.cell = CellKind::OnOff;
    k.getter = getter;
    k.onOff = rule;
    k.enabling = enabling;
    return k;
}

constexpr RowKind popUp(app::TextId label, device::SettingGetter getter, ItemList items,
                        ItemMapping mapping = ItemMapping::Value, Enabling enabling = {}) {
    RowKind k;
    k.label = text(label);
    k.cell = CellKind::PopUp;
    k.getter = getter;
    k.items.items = items;
    k.mapping = mapping;
    k.enabling = enabling;
    return k;
}

constexpr Enabling enabledWhen(device::SettingGetter getter, int32_t value) {
    return Enabling{EnableWhen::GetterEquals, getter, value};
}
constexpr Enabling enabledUnless(device::SettingGetter getter, int32_t value) {
    return Enabling{EnableWhen::GetterNotEquals, getter, value};
}
constexpr Enabling enabledForStatus(std::span<const int32_t> statuses) {
    return Enabling{EnableWhen::StatusIn, device::SettingGetter::Count, 0, statuses};
}
constexpr Enabling disabledForStatus(std::span<const int32_t> statuses) {
    return Enabling{EnableWhen::StatusNotIn, device::SettingGetter::Count, 0, statuses};
}

// Small modifiers, so that a family file can derive a kind: withInfo(false), withLog(...), ...
constexpr RowKind withInfo(RowKind k, bool info) { k.info = info; return k; }
constexpr RowKind withLog(RowKind k, LogLine log) { k.log = log; return k; }
constexpr RowKind withSlot(RowKind k, int32_t slot) { k.slot = slot; return k; }
constexpr RowKind withLabel(RowKind k, RowText label) { k.label = label; return k; }
constexpr RowKind withItems(RowKind k, ItemRule items) { k.items = items; return k; }
constexpr RowKind withEnabling(RowKind k, Enabling enabling) { k.enabling = enabling; return k; }
constexpr RowKind withFieldUnknown(RowKind k) { k.fieldUnknown = true; return k; }

}  // namespace settings
