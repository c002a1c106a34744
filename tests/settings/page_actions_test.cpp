// The page's own actions: the time-out field and stepper, the radio transmit gain, the information
// buttons of the fixed form, the apply note, and the shortcut labels.
#include "settings/SettingsPageFixture.h"

namespace settings_test {
namespace {

class PageActions : public SettingsPageTest {
protected:
    // Every row in view, as right after a save, so that every control of the form can be used.
    void SetUp() override {
        open(0x5210);
        page->enableOldControlsEnable(true, false);
    }
};

struct ActCase {
    const char* name;
    const char* text;
    bool accepted;
    int stored;
};

void PrintTo(const ActCase& c, std::ostream* os) { *os << c.name; }

class CheckACT : public PageActions, public ::testing::WithParamInterface<ActCase> {};

TEST_P(CheckACT, StoresThreeToSixtyElseTellsAndRestoresTheField) {
    const ActCase& c = GetParam();
    page->stepperACT->setFloatValue(7);
    edit().setAudioChannelTimeout(7);
    page->tfACT->setText(c.text);
    EXPECT_EQ(page->checkACT(), c.accepted);
    EXPECT_EQ(edit().audioChannelTimeout(), c.stored);
    if (c.accepted) {
        EXPECT_FALSE(boxOpen());
        EXPECT_EQ(page->stepperACT->floatValue(), c.stored);
        return;
    }
    Box b = box();
    EXPECT_EQ(b.text, "Audio Channel Timeout should be between 3 and 60. Enter valid value again.");
    EXPECT_EQ(b.forWhat, 2);
    EXPECT_TRUE(hasSize(b, 0));
    EXPECT_TRUE(b.warning);
    EXPECT_EQ(b.cancel, "");
    EXPECT_EQ(page->tfACT->text().toStdString(), "7");
}

INSTANTIATE_TEST_SUITE_P(
    Fields, CheckACT,
    ::testing::Values(ActCase{"Three", "3", true, 3}, ActCase{"Sixty", "60", true, 60},
                      ActCase{"LeadingBlanksAndSign", "  +45", true, 45}, ActCase{"Two", "2", false, 7},
                      ActCase{"SixtyOne", "61", false, 7}, ActCase{"Negative", "-1", false, 7},
                      ActCase{"Letters", "ab", false, 7}, ActCase{"Empty", "", false, 7},
                      ActCase{"TwelveDigits", "123456789012", false, 7},
                      ActCase{"NumberBeyondIntWrappingToRange", "4294967301", false, 7}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(PageActions, TheStepperStoresItsValueAndShowsItInTheField) {
    page->stepperACT->setFloatValue(59);
    page->stepperACT->stepUp();
    page->stepperACT->stepUp();
    EXPECT_EQ(edit().audioChannelTimeout(), 60);
    EXPECT_EQ(page->tfACT->text().toStdString(), "60");
    page->stepperACT->setFloatValue(3);
    page->stepperACT->stepDown();
    EXPECT_EQ(edit().audioChannelTimeout(), 3);
}

TEST_F(PageActions, GainByColumnAndNoSelectionKeepsTheStoredGain) {
    const int32_t expected[] = {12, 15, 17};
    for (int column = 0; column < 3; ++column) {
        page->radioRTG->clickCell(column);
        EXPECT_EQ(edit().radioTransmitGain(), expected[column]) << column;
    }
    page->radioRTG->selectCellAtRow(0, -1);
    page->changeRTG(page->radioRTG);
    EXPECT_EQ(edit().radioTransmitGain(), 17);
}

struct InfoCase {
    const char* name;
    QPushButton* DeviceSettingsViewController::*button;
    int32_t language;
    const char* start;
    int32_t size;
    int32_t forWhat;
    bool emailButton;
};

void PrintTo(const InfoCase& c, std::ostream* os) { *os << c.name; }

class InformationButtons : public PageActions, public ::testing::WithParamInterface<InfoCase> {};

TEST_P(InformationButtons, ShowTheirTextInTheirBox) {
    const InfoCase& c = GetParam();
    controller->setLanguageManager(c.language);
    page->setControls();
    page->enableOldControlsEnable(true, false);
    (page->*c.button)->click();
    Box b = box();
    EXPECT_EQ(b.text.rfind(c.start, 0), 0u) << b.text;
    EXPECT_EQ(b.text.find("%@"), std::string::npos) << b.text;
    EXPECT_TRUE(hasSize(b, c.size)) << b.width << "x" << b.height;
    EXPECT_EQ(b.forWhat, c.forWhat);
    EXPECT_FALSE(b.warning);
    EXPECT_EQ(b.cancel.empty(), !c.emailButton);
}

using P = DeviceSettingsViewController;
INSTANTIATE_TEST_SUITE_P(
    Buttons, InformationButtons,
    ::testing::Values(
        InfoCase{"PLC", &P::btnPLC, 0, "[Packet Loss Concealment]\n", 4, 2, false},
        InfoCase{"BitpoolRate", &P::btnBitpoolRate, 0, "[High Quality A2DP]\n", 2, 2, false},
        InfoCase{"MicrophoneBoost", &P::btnMicrophoneBoost, 0, "[Microphone Boosting]\n", 3, 2, false},
        InfoCase{"MicrophoneBoostJapanese", &P::btnMicrophoneBoost, 4, "[", 4, 2, false},
        InfoCase{"MicrophoneBoostFrench", &P::btnMicrophoneBoost, 1, "[", 3, 2, false},
        InfoCase{"Sidetone", &P::btnSidetone, 0, "[Sidetone]\n", 2, 2, false},
        InfoCase{"AdvancedNoiseControl", &P::btnAdvancedNoiseControl, 0, "[Advanced Noise Control™]\n", 2, 2, false},
        InfoCase{"AutoGainControl", &P::btnAutoGainControl, 0, "[Auto Gain Control]\n", 4, 2, false},
        InfoCase{"AudioBoost", &P::btnAudioBoost, 0, "[Audio Boost]\n", 2, 2, false},
        InfoCase{"MotionSensor", &P::btnMotionSensorSensitivity, 0, "[Motion Sensor Sensitivity]\n", 2, 2, false},
        InfoCase{"AudioMultitasking", &P::btnAudioMultitasking, 0,
                 "[Audio Multitasking™]\nAudio Multitasking™ enables you to have an intercom conversation while "
                 "listening to music, FM Radio,",
                 6, 2, false},
        InfoCase{"OverlaySensitivity", &P::btnAudioMultitaskingSensitivity, 0,
                 "[Intercom-audio Overlay Sensitivity]\nWhen the Audio Multitasking™ setting", 4, 2, false},
        InfoCase{"NavigationApp", &P::btnNavigationAppOverlay, 0,
                 "[Navigation App Support]\nWhen Audio Multitasking™ is enabled", 2, 2, false},
        InfoCase{"RTG", &P::btnRTG, 0, "[Radio Transmit Gain]\n", 3, 2, false},
        InfoCase{"EDRWithEmail", &P::btnEDR, 0, "[Enhanced Data Rate]\n", 3, 9, true},
        InfoCase{"ACT", &P::btnACT, 0, "[Audio Channel Timeout]\n", 3, 2, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(PageActions, TheEDRBoxOffersAnEmailAndTheGainBoxNamesTheProduct) {
    page->btnEDR->click();
    Box b = box();
    EXPECT_EQ(b.cancel, "SEND Email");
    EXPECT_NE(b.text.find(std::string(app::AppTexts::supportEmailAddress())), std::string::npos);
    closeBox();
    page->btnRTG->click();
    const std::string product = controller->qelm_product_name(0x5210).value_or("?");
    EXPECT_NE(box().text.find(product), std::string::npos);
}

TEST_F(PageActions, ApplyNoteShowsTheNoteUnderThePageTitle) {
    page->lblNoteApply->setText("NOTE: x");
    page->displayNoteApply(page->btnNoteApply);  // the button is in view in French, Dutch and Russian
    Box b = box();
    EXPECT_EQ(b.text, "[DEVICE SETTING]\nNOTE: x");
    EXPECT_TRUE(b.warning);
    EXPECT_TRUE(hasSize(b, 1));
    EXPECT_EQ(b.forWhat, 2);
}

TEST_F(PageActions, NothingWhileADeviceOperationRuns) {
    controller->setOnProcessing(true);
    page->btnPLC->click();
    page->btnNoteApply->click();
    page->radioRTG->clickCell(0);
    EXPECT_FALSE(boxOpen());
    EXPECT_NE(edit().radioTransmitGain(), 12);
}

struct LabelCase {
    const char* name;
    bool shortcuts;
    int32_t language;
    QWidget* (*control)(DeviceSettingsViewController&);
    const char* text;
};

void PrintTo(const LabelCase& c, std::ostream* os) { *os << c.name; }

class ShortcutLabels : public PageActions, public ::testing::WithParamInterface<LabelCase> {};

std::string textOf(QWidget* w) {
    if (auto* l = qobject_cast<QLabel*>(w)) return l->text().toStdString();
    return static_cast<QAbstractButton*>(w)->text().toStdString();
}

TEST_P(ShortcutLabels, ShowKeysOrTexts) {
    const LabelCase& c = GetParam();
    controller->setLanguageManager(c.language);
    controller->setShowShortcuts(c.shortcuts);
    page->setShortcuts();
    EXPECT_EQ(textOf(c.control(*page)), c.text);
}

INSTANTIATE_TEST_SUITE_P(
    Controls, ShortcutLabels,
    ::testing::Values(
        LabelCase{"HighGainKey", true, 0, [](P& p) -> QWidget* { return p.highRTG; }, "[S][O]-P"},
        LabelCase{"HighGainText", false, 0, [](P& p) -> QWidget* { return p.highRTG; }, "High"},
        LabelCase{"LowGainChinese", false, 9, [](P& p) -> QWidget* { return p.lowRTG; }, "低"},
        LabelCase{"SaveKey", true, 0, [](P& p) -> QWidget* { return p.btnSave; }, "[O][C]-S"},
        LabelCase{"SaveText", false, 0, [](P& p) -> QWidget* { return p.btnSave; }, "SAVE"},
        LabelCase{"SheetSaveCzech", false, 11, [](P& p) -> QWidget* { return p.btnDeviceAllSettingsBasicSave; },
                  "ULOŽIT"},
        LabelCase{"MoreSettingsCzechInEnglish", false, 11, [](P& p) -> QWidget* { return p.btnAllSettings; },
                  "MORE SETTINGS"},
        LabelCase{"DefaultKey", true, 0, [](P& p) -> QWidget* { return p.btnDefault; }, "[C]-D"},
        LabelCase{"BackKey", true, 0, [](P& p) -> QWidget* { return p.btnBack(); }, "[C]-\u25C0"},
        LabelCase{"EnableCellKey", true, 0, [](P& p) -> QWidget* { return p.enableSidetone; }, "[O]-T"},
        LabelCase{"DisableCellText", false, 0, [](P& p) -> QWidget* { return p.disableSidetone; }, "Disable"},
        LabelCase{"LabelKey", true, 0, [](P& p) -> QWidget* { return p.lblAudioMultitaskingSensitivity; },
                  "[O][C]-I"},
        LabelCase{"LabelText", false, 0, [](P& p) -> QWidget* { return p.lblNavigationAppOverlay; },
                  "Navigation App Support"},
        LabelCase{"EDRLabelKeyWhileItsButtonShows", true, 0, [](P& p) -> QWidget* { return p.lblEDR; },
                  "[O][C]-E"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(PageActions, KeysReachTheControlThatTheirLabelsName) {
    auto press = [this](const char* sequence) {
        for (QShortcut* s : page->shortcuts())
            if (s->key() == QKeySequence(QString::fromLatin1(sequence))) return emit s->activated();
        FAIL() << sequence;
    };
    press("Alt+R");
    EXPECT_EQ(edit().radioTransmitGain(), 12);
    press("Shift+R");
    EXPECT_EQ(edit().radioTransmitGain(), 15);
    // The high gain cell shares its key with the PLC disable cell; on 0x5210 both rows show, the
    // first shown and enabled one takes it.
    page->radioPLC->hide();
    press("Shift+Alt+P");
    EXPECT_EQ(edit().radioTransmitGain(), 17);
    press("Alt+Ctrl+R");
    EXPECT_EQ(box().forWhat, 2);
    closeBox();
    edit().setRadioTransmitGain(12);
    press("Ctrl+C");
    EXPECT_EQ(edit().radioTransmitGain(), record().radioTransmitGain());
}

}  // namespace
}  // namespace settings_test
