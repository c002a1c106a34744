// Every row of every list model, on the grid of list inputs, picked and clicked as a user would:
// through the list's own dispatch and the page's real change actions. Each rebuilt row must show
// what was chosen, which checks the family, the formula and the polarity of every setter against
// the getter that its row shows, a pairing that no table states twice. And a change of an enabled
// row must leave the page unsaved: a setting that the save does not carry is never editable.
#include <set>
#include <sstream>
#include <tuple>

#include "ListGrid.h"
#include "RowChangeFixture.h"

namespace settings_test {
namespace {

using settings::CellKind;
using settings::RowKind;
using settings::testing::Version;

// Rows that cannot round-trip on purpose: the setting has no place in what the model saves (the
// record does not know the equalizer's field; the settings word of some models has no FM station
// guide bit), so the control is disabled.
const char* whyNotRoundTrip(const RowKind& kind) {
    if (kind.fieldUnknown) return "not saved";
    return nullptr;
}

class RoundTrip : public RowChangeTest {
protected:
    // Every item of a pop-up row, last to first, or every side of an on/off row, from the headset's
    // values. A greyed-out control is chosen as well: its setter must still fit the getter it shows.
    // A choice that an enabled row shows other than the headset's value must make the page unsaved.
    void walkRow(int row, const std::string& where, std::vector<std::string>& faults) {
        page->dataCurrent().copyWithSource(record(), false);
        const auto held = settings::cellForRow(page->listInputs(), row);
        if (!held) {
            faults.push_back(where + ": no cell");
            return;
        }
        const bool popUp = cell(row)->popUpBtn != nullptr;
        std::vector<int> choices = {0, 1, 0};
        if (popUp) {
            choices.clear();
            for (int item = cell(row)->popUpBtn->numberOfItems() - 1; item >= 0; --item) choices.push_back(item);
        }
        for (int choice : choices) {
            if (popUp) {
                cell(row)->popUpBtn->selectItemAtIndex(choice);
                page->allSettingsChangePopUp(cell(row)->popUpBtn);
            } else {
                cell(row)->radiobtn->selectCellAtRow(0, choice);
                page->allSettingsChangeOnOff(cell(row)->radiobtn);
            }
            deliverPostedEvents();
            const auto shown = settings::cellForRow(page->listInputs(), row);
            const int readBack = popUp ? shown->selectedItem : shown->selectedColumn;
            if (readBack != choice) {
                std::ostringstream fault;
                fault << where << ": " << (popUp ? "item " : "side ") << choice << " reads back as " << readBack;
                faults.push_back(fault.str());
            }
            const int heldValue = popUp ? held->selectedItem : held->selectedColumn;
            if (held->enabled && readBack != heldValue && !page->isSettingsChanged()) {
                std::ostringstream fault;
                fault << where << ": " << (popUp ? "item " : "side ") << choice << " leaves the page saved";
                faults.push_back(fault.str());
            }
        }
    }
};

TEST_F(RoundTrip, EveryItemAndSideOfEveryShownRowReadsBackAsChosen) {
    // Inputs that choose the same layout and count for a model walk the same rows with the same
    // setters (no change action of a list row depends on the firmware).
    std::set<std::tuple<uint16_t, const void*, int32_t>> walked;
    std::vector<std::string> faults;
    std::set<std::string> excused;
    size_t rowsWalked = 0;
    for (uint16_t id : settings::testing::kListSet) {
        settings::testing::forEachInput(id, [&](const settings::ListInputs& in, const Version& v) {
            const settings::Layout* layout = settings::chooseLayout(in);
            const int32_t rows = settings::numberOfRows(in);
            if (rows == 0 || !walked.insert({id, layout, rows}).second) return;
            openList(id, v, {in.fmRadioShowAndHide, in.device50SpeakerType, in.deviceInfoStatus,
                             in.motionSensorShowAndHide});
            showPage();
            ASSERT_EQ(table()->rowCount(), rows) << settings::testing::describeInput(in, v);
            for (int row = 0; row < rows; ++row) {
                const RowKind* kind = settings::rowKindAt(page->listInputs(), row);
                ASSERT_NE(kind, nullptr);
                const std::string where = settings::testing::describeInput(in, v) + ", row " + std::to_string(row) +
                                          " \"" + settings::englishLabel(*kind) + "\"";
                if (!page->allSettingsChangeFor(row)) faults.push_back(where + ": reaches no change action");
                if (const char* why = whyNotRoundTrip(*kind)) {
                    excused.insert(settings::englishLabel(*kind) + ": " + why);
                    continue;
                }
                walkRow(row, where, faults);
                ++rowsWalked;
            }
        });
    }
    std::ostringstream all;
    for (const std::string& fault : faults) all << fault << "\n";
    EXPECT_TRUE(faults.empty()) << faults.size() << " faults:\n" << all.str();
    EXPECT_GT(rowsWalked, 1000u) << walked.size() << " inputs";
    EXPECT_EQ(excused, (std::set<std::string>{"Audio Equalizer: not saved", "FM Station Guide: not saved"}));
}

}  // namespace
}  // namespace settings_test
