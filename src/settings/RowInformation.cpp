// The generic walk over the information catalogue: the row's kind by the list's own layout
// decision, the kind's line by its label, the first entry that applies, then the text.
#include "settings/RowInformation.h"

#include <algorithm>
#include <cstring>

#include "app/TextCatalogue.h"
#include "app/TextFormat.h"
#include "settings/AllSettingsList.h"

namespace settings {

namespace {

bool sameLabel(const RowText& a, const RowText& b) {
    if (a.literal || b.literal) return a.literal && b.literal && std::strcmp(a.literal, b.literal) == 0;
    return a.entry == b.entry && a.labelNumber == b.labelNumber && a.disableWord == b.disableWord;
}

}  // namespace

const InformationLine* informationLineFor(const RowText& label) {
    const auto lines = informationCatalogue();
    const auto found = std::find_if(lines.begin(), lines.end(),
                                    [&](const InformationLine& line) { return sameLabel(line.label, label); });
    return found == lines.end() ? nullptr : &*found;
}

bool applies(const InformationWhen& when, const ListInputs& in, int32_t row) {
    const auto& ids = when.productIds;
    if (!ids.empty() && std::find(ids.begin(), ids.end(), in.deviceTarget) == ids.end()) return false;
    if (when.row >= 0 && when.row != row) return false;
    if (!holds(when.inputs, in)) return false;
    // Read at each press: the edit copy may have changed since the list was built.
    if (when.value.getter != device::SettingGetter::Count && currentValue(when.value.getter, 0, in) != when.value.value)
        return false;
    return true;
}

const InformationEntry* informationEntryForRow(const ListInputs& in, int32_t row) {
    const RowKind* kind = rowKindAt(in, row);
    if (!kind || !kind->info) return nullptr;
    const InformationLine* line = informationLineFor(kind->label);
    if (!line || line->entries.empty()) return nullptr;
    const auto variants = line->entries.subspan(1);
    const auto match = std::find_if(variants.begin(), variants.end(),
                                    [&](const InformationEntry& e) { return applies(e.when, in, row); });
    return match == variants.end() ? &line->entries.front() : &*match;
}

std::optional<InformationBox> informationForRow(const ListInputs& in, int32_t row, const DeviceSettingsTexts& texts) {
    const InformationEntry* entry = informationEntryForRow(in, row);
    if (!entry || !entry->text) return std::nullopt;
    std::string text = (texts.*(entry->text))();
    if (entry->labelCount > 0) {
        const auto label = [&](int i) { return app::localizedText(entry->labels[static_cast<size_t>(i)], in.languageManager); };
        // A text without "%@" (English "HD Intercom") comes back as it is.
        text = entry->labelCount == 1 ? app::formatText(text, {label(0)}) : app::formatText(text, {label(0), label(1)});
    }
    if (text.empty()) return std::nullopt;
    return InformationBox{std::move(text), entry->size};
}

}  // namespace settings
