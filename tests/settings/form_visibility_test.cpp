// The fixed form's refresh: which rows a model shows per firmware band, the apply note and its
// button by language, the list in place of the form for the list's models on a system that passes
// the list's test, the disabling while a device operation runs, and the texts of the form.
#include "settings/FormVisibility.h"
#include "settings/SettingsPageFixture.h"

namespace settings_test {
namespace {

using settings::ApplyNote;
using settings::FormRowId;
using settings::FormRowSet;
using F = FormRowId;

FormRowSet rows(std::initializer_list<FormRowId> ids) {
    FormRowSet set;
    for (FormRowId id : ids) set.set(static_cast<size_t>(id));
    return set;
}

class FormRefresh : public SettingsPageTest {
protected:
    // The rows the page shows: every outlet visible and every input enabled; fails on a mixture.
    FormRowSet shownRows() {
        FormRowSet shown;
        for (size_t i = 0; i < page->formRows().size(); ++i) {
            const auto& row = page->formRows()[i];
            const bool visible = !row.labels.front()->isHidden();
            for (QWidget* label : row.labels) EXPECT_EQ(!label->isHidden(), visible) << "row " << i;
            for (QWidget* input : row.inputs) {
                EXPECT_EQ(!input->isHidden(), visible) << "row " << i;
                EXPECT_EQ(input->isEnabled(), visible) << "row " << i;
            }
            shown.set(i, visible);
        }
        return shown;
    }
    bool listShown() const {
        return !page->btnAllSettings->isHidden() && page->btnAllSettings->isEnabled() &&
               !page->tableViewDeviceAllSettingsBasic->isHidden() && !page->scrollViewDeviceAllSettingsBasic->isHidden();
    }
    bool listHidden() const {
        return page->btnAllSettings->isHidden() && !page->btnAllSettings->isEnabled() &&
               page->tableViewDeviceAllSettingsBasic->isHidden() && page->scrollViewDeviceAllSettingsBasic->isHidden();
    }
    ApplyNote applyNote() const {
        if (page->lblNoteApply->isHidden()) {
            EXPECT_TRUE(page->btnNoteApply->isHidden());
            return ApplyNote::None;
        }
        EXPECT_EQ(page->btnNoteApply->isHidden(), !page->btnNoteApply->isEnabled());
        return page->btnNoteApply->isHidden() ? ApplyNote::LabelOnly : ApplyNote::WithButton;
    }
};

struct VisibilityCase {
    const char* name;
    int32_t target, major, minor;
    int32_t osPrimary, osSecondary;
    FormRowSet shown;
    ApplyNote note;  // in French, where the note of the form's models has its button
};
void PrintTo(const VisibilityCase& c, std::ostream* os) { *os << c.name; }

class RowsByModel : public FormRefresh, public ::testing::WithParamInterface<VisibilityCase> {};

TEST_P(RowsByModel, ShowTheModelsRowsAndApplyNoteWithoutTheList) {
    const VisibilityCase& c = GetParam();
    controller->setOsVersion(c.osPrimary, c.osSecondary);
    controller->setLanguageManager(1);
    open(c.target, c.major, c.minor);
    EXPECT_EQ(shownRows(), c.shown);
    EXPECT_EQ(applyNote(), c.note);
    EXPECT_TRUE(listHidden());
}

const FormRowSet kVoxEdrNote = rows({F::IntercomVOX, F::HandsfreeVOX, F::EDR, F::NoteEDR});
const FormRowSet kVoxEdrA2dp = rows({F::IntercomVOX, F::HandsfreeVOX, F::EDR, F::BitpoolRate});
const FormRowSet kListRows =
    rows({F::IntercomVOX, F::HandsfreeVOX, F::BitpoolRate, F::Sidetone, F::AdvancedNoiseControl, F::AudioBoost});
const FormRowSet kFerrikRows = rows({F::HandsfreeVOX, F::Sidetone, F::MotionSensorSensitivity, F::AudioMultitasking,
                                     F::AudioMultitaskingSensitivity, F::NavigationAppOverlay});
constexpr ApplyNote kButton = ApplyNote::WithButton;

INSTANTIATE_TEST_SUITE_P(
    Groups, RowsByModel,
    ::testing::Values(
        VisibilityCase{"x2010", 0x2010, 1, 0, 11, 5, rows({F::HandsfreeVOX, F::EDR, F::BitpoolRate}), kButton},
        VisibilityCase{"x2020_1_0", 0x2020, 1, 0, 11, 5,
                       rows({F::IntercomVOX, F::HandsfreeVOX, F::EDR, F::BitpoolRate, F::Sidetone}), kButton},
        VisibilityCase{"x2020_1_1", 0x2020, 1, 1, 11, 5,
                       rows({F::IntercomVOX, F::HandsfreeVOX, F::EDR, F::BitpoolRate, F::Sidetone,
                             F::AdvancedNoiseControl}),
                       kButton},
        VisibilityCase{"x4021", 0x4021, 1, 0, 11, 5, rows({F::HandsfreeVOX}), kButton},
        VisibilityCase{"x4D21", 0x4D21, 1, 0, 11, 5, rows({F::Sidetone}), kButton},
        VisibilityCase{"x4113", 0x4113, 1, 0, 11, 5, rows({F::EDR, F::BitpoolRate}), kButton},
        VisibilityCase{"x4120", 0x4120, 1, 0, 11, 5,
                       rows({F::EDR, F::BitpoolRate, F::Sidetone, F::AdvancedNoiseControl, F::AutoGainControl}),
                       kButton},
        VisibilityCase{"x4D05_1_1", 0x4D05, 1, 1, 11, 5, rows({F::HandsfreeVOX, F::EDR, F::NoteEDR, F::PLC}), kButton},
        VisibilityCase{"x4D05_1_2", 0x4D05, 1, 2, 11, 5, rows({F::HandsfreeVOX, F::EDR, F::BitpoolRate}), kButton},
        VisibilityCase{"x4D86_2_0", 0x4D86, 2, 0, 11, 5,
                       rows({F::HandsfreeVOX, F::EDR, F::BitpoolRate, F::Sidetone}), kButton},
        VisibilityCase{"x4D10_3_9", 0x4D10, 3, 9, 11, 5, kVoxEdrNote, kButton},
        VisibilityCase{"x4D10_4_0", 0x4D10, 4, 0, 11, 5, kVoxEdrNote | rows({F::PLC}), kButton},
        VisibilityCase{"x4D10_4_1", 0x4D10, 4, 1, 11, 5,
                       kVoxEdrNote | rows({F::PLC, F::BitpoolRate, F::MicrophoneBoost}), kButton},
        VisibilityCase{"x4D10_4_2", 0x4D10, 4, 2, 11, 5, kVoxEdrA2dp | rows({F::MicrophoneBoost}), kButton},
        VisibilityCase{"x4D10_5_0", 0x4D10, 5, 0, 11, 5, kVoxEdrA2dp | rows({F::MicrophoneBoost, F::Sidetone}),
                       kButton},
        VisibilityCase{"x4D20_4_1", 0x4D20, 4, 1, 11, 5, kVoxEdrNote | rows({F::PLC, F::BitpoolRate}), kButton},
        VisibilityCase{"x5080_5_0", 0x5080, 5, 0, 11, 5, kVoxEdrA2dp | rows({F::Sidetone}), kButton},
        VisibilityCase{"x4D76", 0x4D76, 1, 0, 11, 5, kVoxEdrA2dp | rows({F::Sidetone}), kButton},
        VisibilityCase{"x6000", 0x6000, 1, 0, 11, 5, rows({F::HandsfreeVOX, F::EDR, F::BitpoolRate, F::Sidetone}),
                       kButton},
        VisibilityCase{"x5020_4_1", 0x5020, 4, 1, 11, 5, kVoxEdrNote | rows({F::PLC, F::BitpoolRate}), kButton},
        VisibilityCase{"x5020_5_3_noSidetone", 0x5020, 5, 3, 11, 5, kVoxEdrA2dp, kButton},
        VisibilityCase{"x5210", 0x5210, 1, 0, 11, 5, rows({F::RTG, F::ACT}), kButton},
        VisibilityCase{"x6121", 0x6121, 1, 0, 11, 5,
                       rows({F::EDR, F::BitpoolRate, F::Sidetone, F::AdvancedNoiseControl}), kButton},
        VisibilityCase{"x6420_labelOnly", 0x6420, 1, 0, 11, 5, rows({F::HandsfreeVOX, F::EDR}), ApplyNote::LabelOnly},
        VisibilityCase{"x6430_labelOnly", 0x6430, 1, 0, 11, 5, rows({F::HandsfreeVOX}), ApplyNote::LabelOnly},
        VisibilityCase{"unnamed", 0x1234, 1, 0, 11, 5, FormRowSet{}.set(), kButton},
        // The list's models on a system that fails the list's test.
        VisibilityCase{"x4310_on10_6", 0x4310, 1, 0, 10, 6, kFerrikRows, ApplyNote::None},
        VisibilityCase{"x3030_on10_6", 0x3030, 1, 0, 10, 6,
                       rows({F::BitpoolRate, F::AdvancedNoiseControl, F::AudioBoost}), ApplyNote::None},
        VisibilityCase{"x6838_on10_6", 0x6838, 1, 0, 10, 6, kListRows, ApplyNote::None},
        VisibilityCase{"x4210_1_0_on10_6", 0x4210, 1, 0, 10, 6,
                       rows({F::HandsfreeVOX, F::Sidetone, F::AudioMultitasking, F::AudioMultitaskingSensitivity}),
                       ApplyNote::None},
        VisibilityCase{"x4210_1_1_on10_6", 0x4210, 1, 1, 10, 6, kFerrikRows, ApplyNote::None},
        VisibilityCase{"x5560_on10_6", 0x5560, 1, 0, 10, 6, FormRowSet{}, ApplyNote::None}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(FormRefresh, TheListsModelGetsTheListOnAPassingSystemAndBothSavesFollowTheChangeTest) {
    open(0x6838, 1, 0);  // the program's system version passes
    EXPECT_TRUE(listShown());
    EXPECT_EQ(shownRows(), FormRowSet{});
    EXPECT_EQ(applyNote(), ApplyNote::None);
    EXPECT_FALSE(page->btnSave->isEnabled());
    EXPECT_FALSE(page->btnDeviceAllSettingsBasicSave->isEnabled());

    edit().SetBasicSettingAirohaVOXPhone(edit().GetBasicSettingAirohaVOXPhone() ? 0 : 1);
    page->setControls();
    EXPECT_TRUE(page->btnSave->isEnabled());
    EXPECT_TRUE(page->btnDeviceAllSettingsBasicSave->isEnabled());
}

TEST_F(FormRefresh, SystemTestPassesFrom10_7) {
    const struct {
        int32_t primary, secondary;
        bool list;
    } systems[] = {{9, 9, false}, {10, 6, false}, {10, 7, true}, {11, 0, true}, {11, 5, true}};
    for (const auto& s : systems) {
        controller->setOsVersion(s.primary, s.secondary);
        open(0x6838, 1, 0);
        EXPECT_EQ(listShown(), s.list) << s.primary << "." << s.secondary;
        EXPECT_EQ(listHidden(), !s.list) << s.primary << "." << s.secondary;
        EXPECT_EQ(shownRows(), s.list ? FormRowSet{} : kListRows) << s.primary << "." << s.secondary;
    }
    // The form's models never get the list.
    controller->setOsVersion(11, 5);
    open(0x4D10, 5, 0);
    EXPECT_TRUE(listHidden());
}

TEST_F(FormRefresh, ApplyNoteHasItsButtonInFrenchDutchAndRussianOnly) {
    for (int32_t language = 0; language < 13; ++language) {
        controller->setLanguageManager(language);
        open(0x2010);
        const bool withButton = language == 1 || language == 7 || language == 8;
        EXPECT_FALSE(page->lblNoteApply->isHidden()) << language;
        EXPECT_EQ(page->btnNoteApply->isHidden(), !withButton) << language;
        EXPECT_EQ(page->btnNoteApply->isEnabled(), withButton) << language;
        EXPECT_EQ(page->lblNoteApply->text().toStdString(), page->stringNoteApply()) << language;
    }
}

TEST_F(FormRefresh, WhileProcessingEveryInputIsDisabledRowsKeepTheirVisibilityAndTextsFollowTheLanguage) {
    open(0x4D10, 4, 1);
    const FormRowSet before = shownRows();
    edit().setIntercomVOX(edit().intercomVOX() ? 0 : 1);
    controller->setOnProcessing(true);
    controller->setLanguageManager(1);
    page->setControls();
    for (size_t i = 0; i < page->formRows().size(); ++i) {
        const auto& row = page->formRows()[i];
        EXPECT_EQ(!row.labels.front()->isHidden(), before.test(i)) << i;
        for (QWidget* input : row.inputs) {
            EXPECT_FALSE(input->isEnabled()) << i;
            EXPECT_EQ(!input->isHidden(), before.test(i)) << i;
        }
    }
    for (QWidget* w : std::initializer_list<QWidget*>{page->btnBack(), page->btnNewDevice(), page->btnDefault,
                                                      page->btnCancel, page->btnSave,
                                                      page->btnDeviceAllSettingsBasicSave, page->btnAllSettings,
                                                      page->btnNoteApply})
        EXPECT_FALSE(w->isEnabled());
    EXPECT_EQ(page->lblIntercomVOX->text().toStdString(), "VOX intercom");
    EXPECT_EQ(page->lblNoteApply->text().toStdString(), page->stringNoteApply());

    // The list's button stays in view, disabled.
    controller->setOnProcessing(false);
    open(0x6838);
    controller->setOnProcessing(true);
    page->setControls();
    EXPECT_FALSE(page->btnAllSettings->isHidden());
    EXPECT_FALSE(page->btnAllSettings->isEnabled());
}

TEST_F(FormRefresh, TextsOfTheFormInChinese) {
    controller->setLanguageManager(9);
    open(0x4310);
    EXPECT_EQ(page->lblIntercomVOX->text().toStdString(), "声控对讲");
    EXPECT_EQ(page->lblHandsfreeVOX->text().toStdString(), "声控手机");
    auto* motion = page->popUpMotionSensorSensitivity;
    ASSERT_EQ(motion->numberOfItems(), 3);
    EXPECT_EQ(motion->titleOfItemAtIndex(0), app::AppTexts::qelm_string_disable_in(9));
    EXPECT_EQ(motion->titleOfItemAtIndex(1), "低");
    EXPECT_EQ(motion->titleOfItemAtIndex(2), "高");
    EXPECT_EQ(page->lblNoteEDR->text().toStdString(), page->stringNoteEDR());
    EXPECT_EQ(page->lblACTUnit->text().toStdString(), page->stringACTUnit());

    controller->setLanguageManager(0);
    page->setControls();
    EXPECT_EQ(motion->titleOfItemAtIndex(0), "Disable");
    EXPECT_EQ(motion->titleOfItemAtIndex(1), "Low");
    EXPECT_EQ(motion->titleOfItemAtIndex(2), "High");
    EXPECT_EQ(page->lblHandsfreeVOX->text().toStdString(), "VOX Phone");
}

TEST_F(FormRefresh, EveryRowShownRightAfterASaveUntilTheNextRefresh) {
    open(0x6838);
    page->enableOldControlsEnable(true, false);
    EXPECT_EQ(shownRows(), FormRowSet{}.set());
    page->setControls();
    EXPECT_EQ(shownRows(), FormRowSet{});
}

}  // namespace
}  // namespace settings_test
