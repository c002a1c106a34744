// The information behind each row's button in the all-settings list, as data: one catalogue line
// per row label (the label of the row kind, so an entry follows its setting to wherever a model
// shows it), each line an ordered list of entries. The first entry whose condition holds wins,
// else the line's first entry, which serves every product id no other entry names.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "settings/DeviceSettingsTexts.h"
#include "settings/ListInputs.h"
#include "settings/RowKind.h"
#include "settings/RowLayouts.h"

namespace settings {

// A text method of the settings page: the text in the page's current language.
using InformationText = std::string (DeviceSettingsTexts::*)() const;

// A value of the edit copy, read at each press: getter == value. Count: no test.
struct ValueIs {
    device::SettingGetter getter = device::SettingGetter::Count;
    int32_t value = 0;
};

// When an entry applies: every part given must hold.
struct InformationWhen {
    std::span<const uint16_t> productIds{};  // empty: any product id
    Conditions inputs{};                     // firmware band of data, speaker type, status
    ValueIs value{};
    int32_t row = -1;                        // one row index of the layout; -1: any row
};

struct InformationEntry {
    InformationWhen when;  // not looked at for the line's first entry
    InformationText text = nullptr;
    // Labels (13-language tables of the list) that fill the text's "%@" places in order.
    std::array<app::TextId, 2> labels{};
    int8_t labelCount = 0;
    int8_t size = 2;  // message-box size code: 2, 3, 4 or 6
};

struct InformationLine {
    RowText label;  // the label of the row kinds this line serves
    std::span<const InformationEntry> entries;  // the first one is the line's default
};

// Every line (RowInformationCatalogue.cpp).
std::span<const InformationLine> informationCatalogue();

// The line of a row label; none for a row without information.
const InformationLine* informationLineFor(const RowText& label);

// True when every part of the condition holds for these inputs and this row.
bool applies(const InformationWhen& when, const ListInputs& in, int32_t row);

// The entry a row of the list takes; none for a row that is not shown, whose button is hidden or
// whose label has no line.
const InformationEntry* informationEntryForRow(const ListInputs& in, int32_t row);

// What the box of a row shows.
struct InformationBox {
    std::string text;
    int32_t size = 2;
};

// The entry's text, its "%@" places filled with the labels in the current language; none where the
// row has no entry or the text comes out empty (no box is better than an empty one).
std::optional<InformationBox> informationForRow(const ListInputs& in, int32_t row, const DeviceSettingsTexts& texts);

}  // namespace settings
