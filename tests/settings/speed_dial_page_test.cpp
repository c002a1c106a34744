// The speed-dial page as the user meets it: what the sheet's field takes, the dial titles and the
// empty word, the sheet's number and field, OK's check and store, Save following the change test,
// Default and Cancel, the save question on leaving, shortcut titles and keys, and a page that
// ignores every action while a save runs.
#include <QLineEdit>

#include "SpeedDialPageFixture.h"
#include "settings/SpeedDialFormatter.h"

namespace settings::testing {
namespace {

struct TypedCase {
    const char* name;
    std::string before, typed;
    bool taken;
};
void PrintTo(const TypedCase& c, std::ostream* os) { *os << c.name; }

class SpeedDialField : public ::testing::TestWithParam<TypedCase> {};

TEST_P(SpeedDialField, TakesOnlyDialCharactersUpToTwenty) {
    shell_test::ensureQtApplication();
    const TypedCase& c = GetParam();
    QLineEdit field;
    field.setValidator(new SpeedDialFormatter(&field));
    field.setText(QString::fromStdString(c.before));
    field.insert(QString::fromStdString(c.typed));
    EXPECT_EQ(field.text().toStdString(), c.taken ? c.before + c.typed : c.before);
    QString edited;
    EXPECT_EQ(SpeedDialFormatter::isPartialStringValid(QString::fromStdString(c.before + c.typed), &edited, nullptr),
              c.taken);
    if (c.taken) {
        EXPECT_EQ(edited.toStdString(), c.before + c.typed);
    }
}

INSTANTIATE_TEST_SUITE_P(Formatter, SpeedDialField,
                         ::testing::Values(TypedCase{"a 21st character", std::string(20, '1'), "2", false},
                                           TypedCase{"a letter", "123", "a", false},
                                           TypedCase{"a blank", "123", " ", false},
                                           TypedCase{"a minus", "123", "-", false},
                                           TypedCase{"the digits", "", "0123456789", true},
                                           TypedCase{"plus, star and hash", "00", "+*#", true},
                                           TypedCase{"the 20th character", std::string(19, '1'), "9", true}),
                         [](const auto& info) { return "Case" + std::to_string(info.index); });

TEST(SpeedDialFormatterObjects, PassTheTextUnchanged) {
    EXPECT_EQ(SpeedDialFormatter::stringForObjectValue(QVariant(QString("+12*"))).toString(), "+12*");
    EXPECT_FALSE(SpeedDialFormatter::stringForObjectValue(QVariant(12)).isValid()) << "not a string: no text";
    QVariant object;
    QString error = "untouched";
    EXPECT_TRUE(SpeedDialFormatter::getObjectValue(&object, "letters too", &error));
    EXPECT_EQ(object.toString(), "letters too");
    EXPECT_EQ(error, "untouched");
}

TEST_F(SpeedDialPageTest, DialsShowTheirNumbersOrTheEmptyWord) {
    EXPECT_EQ(title(0), kDial1);
    EXPECT_EQ(title(1), kDial2);
    EXPECT_EQ(title(2), "Empty");
    controller->setLanguageManager(12);
    page->setControls();
    EXPECT_EQ(title(2), "Opróżnij");
    EXPECT_EQ(page->lblSpeedDial03->text().toStdString(), "Szybkie wybieranie 3");
}

TEST_F(SpeedDialPageTest, TheSheetShowsTheDialsNumberSelected) {
    page->btnSpeedDial02->click();
    EXPECT_TRUE(sheetOpen());
    EXPECT_EQ(page->lblSpeedDialEditNumber->text().toStdString(), "2");
    EXPECT_EQ(field(), kDial2);
    EXPECT_EQ(page->tfSpeedDialEdit->selectedText().toStdString(), kDial2);
    EXPECT_EQ(page->btnSpeedDialEditOK->text().toStdString(), "OK");
    EXPECT_EQ(page->btnSpeedDialEditCancel->text().toStdString(), "CANCEL");
    EXPECT_EQ(page->sheetSpeedDialEdit->windowModality(), Qt::WindowModal) << "a sheet, not a blocking dialog";
    page->btnSpeedDialEditCancel->click();
    EXPECT_FALSE(sheetOpen());
    EXPECT_EQ(edited(1), kDial2) << "Cancel keeps the number";
}

TEST_F(SpeedDialPageTest, AnEmptyDialsSheetStartsEmpty) {
    page->btnSpeedDial03->click();
    EXPECT_TRUE(sheetOpen());
    EXPECT_EQ(field(), "") << "never the empty word";
}

TEST_F(SpeedDialPageTest, OkStoresAValidNumberAndShowsItAtOnce) {
    enterDial(2, "+3912*#");
    EXPECT_FALSE(sheetOpen());
    EXPECT_EQ(edited(2), "+3912*#");
    EXPECT_EQ(title(2), "+3912*#");
    enterDial(0, "");
    EXPECT_EQ(edited(0), "") << "an empty field empties the dial";
    EXPECT_EQ(title(0), "Empty");
}

struct OkCase {
    const char* name;
    std::string text;
    std::string fieldAfter;
};
void PrintTo(const OkCase& c, std::ostream* os) { *os << c.name; }

class SpeedDialOk : public SpeedDialPageTest, public ::testing::WithParamInterface<OkCase> {};

TEST_P(SpeedDialOk, RefusesWhatTheFieldShouldNotHold) {
    const OkCase& c = GetParam();
    page->btnSpeedDial01->click();
    page->tfSpeedDialEdit->setText(QString::fromStdString(c.text));  // as a dial read from the headset may be
    EXPECT_FALSE(page->isSpeedDialValid());
    EXPECT_EQ(field(), c.fieldAfter);
    EXPECT_EQ(page->tfSpeedDialEdit->selectedText().toStdString(), c.fieldAfter);
    page->tfSpeedDialEdit->setText(QString::fromStdString(c.text));
    page->btnSpeedDialEditOK->click();
    EXPECT_TRUE(sheetOpen());
    EXPECT_EQ(field(), c.fieldAfter);
    EXPECT_EQ(edited(0), kDial1) << "nothing stored";
}

INSTANTIATE_TEST_SUITE_P(Page, SpeedDialOk,
                         ::testing::Values(OkCase{"21 characters are cut to 20", std::string(21, '5'),
                                                  std::string(20, '5')},
                                           OkCase{"a letter stays", "12a4", "12a4"}),
                         [](const auto& info) { return "Case" + std::to_string(info.index); });

TEST_F(SpeedDialPageTest, SaveFollowsTheChangeTest) {
    EXPECT_FALSE(page->btnSave->isEnabled());
    enterDial(1, "999");
    EXPECT_TRUE(page->btnSave->isEnabled());
    enterDial(1, kDial2);
    EXPECT_FALSE(page->btnSave->isEnabled()) << "back to the headset's number";
}

TEST_F(SpeedDialPageTest, DefaultEmptiesAllCancelRestores) {
    page->btnDefault->click();
    for (int i = 0; i < 3; ++i) EXPECT_EQ(title(i), "Empty");
    EXPECT_TRUE(page->btnSave->isEnabled());
    EXPECT_EQ(controller->data().speedDialAt(0), kDial1) << "the record waits for a save";
    page->btnCancel->click();
    EXPECT_EQ(title(0), kDial1);
    EXPECT_EQ(title(1), kDial2);
    EXPECT_FALSE(page->btnSave->isEnabled());
}

TEST_F(SpeedDialPageTest, LeavingWithAChangeAsks) {
    enterDial(0, "111");
    page->btnBack()->click();
    EXPECT_EQ(controller->mode(), 9) << "the switch waits for the answer";
    platform::drainMainQueue();  // the box posts its texts
    EXPECT_EQ(controller->messageBoxStatus(), 6);
    EXPECT_EQ(window->messageBox().btnMessageBoxOK->text().toStdString(), "YES");
    EXPECT_EQ(window->messageBox().btnMessageBoxCancel->text().toStdString(), "NO");
    controller->messageBoxCancel();
    platform::drainMainQueue();
    EXPECT_EQ(controller->mode(), 5) << "No goes on";
    EXPECT_EQ(edited(0), kDial1) << "with the edits dropped";
    EXPECT_EQ(controller->data().speedDialAt(0), kDial1);
}

TEST_F(SpeedDialPageTest, LeavingWithoutAChangeGoesAtOnce) {
    page->btnNewDevice()->click();
    EXPECT_EQ(controller->messageBoxStatus(), 0);
    EXPECT_EQ(controller->mode(), 3);
}

TEST_F(SpeedDialPageTest, AnsweringYesSaves) {
    page->setHidOpener([](uint32_t*, char*) { return -2; });  // no headset: the save ends with 4
    enterDial(0, "111");
    controller->setDeviceSettingsWithStatus(true);
    controller->messageBoxOK();
    platform::drainMainQueue();
    EXPECT_TRUE(controller->onProcessing()) << "Yes started the save";
    ASSERT_NO_FATAL_FAILURE(finishSave());
    EXPECT_EQ(page->rcThreadSave(), save::speed_dial::kNotRecognized);
}

TEST_F(SpeedDialPageTest, TitlesWithAndWithoutShortcuts) {
    EXPECT_EQ(page->lblSpeedDial01->text().toStdString(), "Speed Dial 1");
    EXPECT_EQ(page->lblSpeedDial03->text().toStdString(), "Speed Dial 3");
    EXPECT_EQ(page->btnSave->text().toStdString(), "SAVE");
    controller->setShowShortcuts(true);
    controller->reflectShortcuts();
    const std::pair<QAbstractButton*, const char*> buttons[] = {
        {page->btnBack(), "[C]-\u25C0"}, {page->btnNewDevice(), "[C]-\u25B6"}, {page->btnSave, "[O][C]-S"},
        {page->btnDefault, "[C]-D"},     {page->btnCancel, "[C]-C"}};
    for (const auto& [b, text] : buttons) EXPECT_EQ(b->text().toStdString(), text);
    EXPECT_EQ(page->lblSpeedDial01->text().toStdString(), "[O]-1");
    EXPECT_EQ(page->lblSpeedDial02->text().toStdString(), "[O]-2");
    EXPECT_EQ(page->lblSpeedDial03->text().toStdString(), "[O]-3");
}

TEST_F(SpeedDialPageTest, KeysOpenTheDialsAndPressTheButtons) {
    ASSERT_TRUE(pressKey("Alt+3"));
    EXPECT_EQ(page->lblSpeedDialEditNumber->text().toStdString(), "3");
    page->btnSpeedDialEditCancel->click();
    ASSERT_TRUE(pressKey("Ctrl+D"));
    EXPECT_EQ(title(0), "Empty");
    ASSERT_TRUE(pressKey("Ctrl+C"));
    EXPECT_EQ(title(0), kDial1);
    page->setHidOpener([](uint32_t*, char*) { return -2; });
    enterDial(1, "5");
    ASSERT_TRUE(pressKey("Alt+Ctrl+S"));
    EXPECT_TRUE(controller->onProcessing());
    ASSERT_NO_FATAL_FAILURE(finishSave());
}

TEST_F(SpeedDialPageTest, NothingHappensWhileASaveRuns) {
    enterDial(0, "111");
    controller->setOnProcessing(true);
    page->setControls();
    for (QAbstractButton* b : {static_cast<QAbstractButton*>(page->btnSpeedDial01), page->btnBack(),
                               page->btnNewDevice(), static_cast<QAbstractButton*>(page->btnDefault),
                               static_cast<QAbstractButton*>(page->btnCancel),
                               static_cast<QAbstractButton*>(page->btnSave)})
        EXPECT_FALSE(b->isEnabled());
    // The actions themselves, as a key or a late click would send them.
    page->openSpeedDialEdit(page->btnSpeedDial02);
    page->changeToDefault(page->btnDefault);
    page->changeToOriginal(page->btnCancel);
    page->moveToFirmwareUpdate(page->btnBack());
    page->moveToDeviceSelection(page->btnNewDevice());
    page->save(page->btnSave);
    EXPECT_FALSE(sheetOpen());
    EXPECT_EQ(edited(0), "111");
    EXPECT_EQ(controller->mode(), 9);
    EXPECT_EQ(controller->messageBoxStatus(), 0);
    EXPECT_EQ(page->rcThreadSave(), 0) << "no worker started";
    controller->setOnProcessing(false);
}

}  // namespace
}  // namespace settings::testing
