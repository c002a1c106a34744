// The engine of the all-settings list: row count, layout choice and the description of one cell,
// all recomputed from the inputs on every call.
#include "settings/AllSettingsList.h"

#include <algorithm>
#include <cstdio>

#include "app/AppTexts.h"
#include "app/TextCatalogue.h"
#include "settings/RowCounts.h"
#include "settings/RowLayouts.h"

namespace settings {

namespace {

using R = device::ORVABluetoothDeviceData;
using device::SettingGetter;

const R& recordOr(const R* record) {
    static const R kEmpty;
    return record ? *record : kEmpty;
}

int32_t argumentFor(SettingGetter getter, int32_t slot, const ListInputs& in) {
    switch (device::getterArgument(getter)) {
        case device::GetterArgument::None: return 0;
        case device::GetterArgument::Slot: return slot;
        case device::GetterArgument::ProductId: return in.deviceTarget;
        case device::GetterArgument::LanguagePackType: return recordOr(in.data).devicelanguagePackType();
    }
    return 0;
}

// A getter of the edit copy, with the argument it takes.
int32_t current(SettingGetter getter, int32_t slot, const ListInputs& in) {
    return device::read(recordOr(in.dataCurrent), getter, argumentFor(getter, slot, in));
}

std::string format(const char* pattern, int32_t a) {
    char buf[96];
    std::snprintf(buf, sizeof buf, pattern, a);
    return buf;
}

std::string textOf(const RowText& t, const std::string& label, int32_t language) {
    if (t.literal) return t.literal;
    if (t.disableWord) return app::AppTexts::qelm_string_disable_in(language);
    if (t.labelNumber != 0) return label + " " + std::to_string(t.labelNumber);
    return std::string(app::localizedText(t.entry, language));
}

bool enabled(const Enabling& e, int32_t slot, const ListInputs& in) {
    const auto statusListed = [&] {
        return std::find(e.values.begin(), e.values.end(), in.deviceInfoStatus) != e.values.end();
    };
    switch (e.when) {
        case EnableWhen::Always: return true;
        case EnableWhen::GetterEquals: return current(e.getter, slot, in) == e.value;
        case EnableWhen::GetterNotEquals: return current(e.getter, slot, in) != e.value;
        case EnableWhen::StatusIn: return statusListed();
        case EnableWhen::StatusNotIn: return !statusListed();
        case EnableWhen::GetterNotEqualsOrFromVersion:
            return current(e.getter, slot, in) != e.value ||
                   recordOr(in.data).compareVersionUpToMinorWithMajor(e.major, e.minor) >= 0;
    }
    return true;
}

}  // namespace

int selectedColumnFor(OnOffRule rule, int32_t value) {
    switch (rule) {
        case OnOffRule::Direct: return value != 0 ? 0 : 1;
        case OnOffRule::Inverted: return value == 0 ? 0 : 1;
        case OnOffRule::Accessory: return value == 8 ? 1 : 0;
    }
    return 0;
}

int selectedItemFor(ItemMapping mapping, int32_t value, size_t itemCount) {
    const int64_t v = value;
    int64_t index = v;
    switch (mapping) {
        case ItemMapping::Value: index = v; break;
        case ItemMapping::ValueMinusOne: index = v - 1; break;
        case ItemMapping::ValueMinusEight: index = v - 8; break;
        case ItemMapping::TenMinusValue: index = 10 - v; break;
        case ItemMapping::EssStatus: index = (v >= 1 && v <= 3) ? v : 0; break;
        case ItemMapping::EssSensitivity: index = (v >= 1 && v <= 3) ? v - 1 : 1; break;
    }
    // A value outside the items selects none rather than an item past the list.
    return index >= 0 && index < static_cast<int64_t>(itemCount) ? static_cast<int>(index) : -1;
}

ItemList itemsFor(const RowKind& kind, const ListInputs& in) {
    const ItemRule& r = kind.items;
    switch (r.by) {
        case ItemsBy::Fixed: return r.items;
        case ItemsBy::GetterEquals: return current(r.getter, kind.slot, in) == r.value ? r.other : r.items;
        case ItemsBy::ProductIdEquals: return in.deviceTarget == r.value ? r.other : r.items;
        case ItemsBy::LanguagePackType: {
            const int32_t pack = recordOr(in.data).devicelanguagePackType();
            return pack == 0 ? r.items : pack == 2 ? r.other : r.third;
        }
    }
    return r.items;
}

CellDescription describe(const RowKind& kind, const ListInputs& in) {
    const int32_t language = in.languageManager;
    CellDescription cell;
    cell.rowKind = &kind;
    cell.kind = kind.cell;
    cell.infoShown = kind.info;
    cell.label = textOf(kind.label, std::string(), language);
    if (kind.log == LogLine::SpeakerValue) {
        cell.logLines.push_back(
            "speaker value =[" + std::to_string(recordOr(in.data).GetBasicSetting50SpeakerAccessorySelect()) + "], curr[" +
            std::to_string(recordOr(in.dataCurrent).GetBasicSetting50SpeakerAccessorySelect()) + "]");
    }
    const int32_t value = current(kind.getter, kind.slot, in);
    if (kind.cell == CellKind::OnOff) {
        cell.enableTitle = app::AppTexts::qelm_string_enable_in(language);
        cell.disableTitle = app::AppTexts::qelm_string_disable_in(language);
        cell.selectedColumn = selectedColumnFor(kind.onOff, value);
    } else {
        for (const RowText& item : itemsFor(kind, in)) cell.items.push_back(textOf(item, cell.label, language));
        cell.selectedItem = selectedItemFor(kind.mapping, value, cell.items.size());
    }
    if (kind.log == LogLine::HeadsetLanguage) cell.logLines.push_back(format("PQPQ # %d", value));
    if (kind.log == LogLine::Speaker)
        cell.logLines.push_back(format("speaker [%d]", current(kind.enabling.getter, kind.slot, in)));
    cell.enabled = !kind.fieldUnknown && enabled(kind.enabling, kind.slot, in);
    return cell;
}

int32_t numberOfRows(const ListInputs& in) {
    const Layout* layout = chooseLayout(in);
    if (!layout) return 0;
    return std::min<int32_t>(countedRows(in), static_cast<int32_t>(layout->rows.size()));
}

const RowKind* rowKindAt(const ListInputs& in, int32_t row) {
    const Layout* layout = chooseLayout(in);
    if (!layout || row < 0 || row >= numberOfRows(in)) return nullptr;
    return layout->rows[static_cast<size_t>(row)];
}

std::string englishLabel(const RowKind& kind) { return textOf(kind.label, std::string(), 0); }

std::optional<CellDescription> cellForRow(const ListInputs& in, int32_t row) {
    const SelectionGroup* group = groupFor(in.deviceTarget);
    const RowKind* kind = rowKindAt(in, row);
    if (!kind) return std::nullopt;
    CellDescription cell = describe(*kind, in);
    if (group && group->logsSpeakerType)
        cell.logLines.insert(cell.logLines.begin(), format("SAVANA %d", in.device50SpeakerType));
    return cell;
}

int32_t currentValue(SettingGetter getter, int32_t slot, const ListInputs& in) { return current(getter, slot, in); }

}  // namespace settings
