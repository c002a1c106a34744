// Every row of every list model, on the grid of list inputs, picked and clicked as a user would:
// through the list's own dispatch and the page's real change actions. Each rebuilt row must show
// what was chosen, which checks the family, the formula and the polarity of every setter against
// the getter that its row shows, a pairing that no table states twice.
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

// Rows that cannot round-trip on purpose. The record does not know where the field of these
// equalizer rows lives: the row reads a constant, its control is disabled and nothing is stored.
const char* whyNotRoundTrip(const RowKind& kind) {
    if (kind.fieldUnknown) return "field unknown";
    return nullptr;
}

class RoundTrip : public RowChangeTest {
protected:
    // Every item of a pop-up row, last to first, or every side of an on/off row. A greyed-out
    // control is chosen as well: its setter must still fit the getter it shows.
    void walkRow(int row, const std::string& where, std::vector<std::string>& faults) {
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
    EXPECT_EQ(excused, (std::set<std::string>{"Audio Equalizer: field unknown"}));
}

}  // namespace
}  // namespace settings_test
