// The control stand-ins: numbers read from text as the pages read them, selections that never
// send the action, range-checked pop-up choices and a stepper held within its limits.
#include <QApplication>
#include <QTest>
#include <QVBoxLayout>
#include <climits>

#include "app/ShellFixture.h"
#include "settings/SettingsControls.h"
#include "settings/SettingsPageFixture.h"

namespace {

using settings::PopUpButton;
using settings::RadioMatrix;
using settings::Stepper;
using settings::TextField;

struct NumberCase {
    const char* text;
    int intValue;
    float floatValue;
};

class TextNumbers : public ::testing::TestWithParam<NumberCase> {};

TEST_P(TextNumbers, ReadTheLeadingNumber) {
    EXPECT_EQ(TextField::intValueOf(GetParam().text), GetParam().intValue) << GetParam().text;
    EXPECT_FLOAT_EQ(TextField::floatValueOf(GetParam().text), GetParam().floatValue) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(
    Texts, TextNumbers,
    ::testing::Values(NumberCase{"45", 45, 45}, NumberCase{"  7 seconds", 7, 7}, NumberCase{"+12", 12, 12},
                      NumberCase{"-3", -3, -3}, NumberCase{"2.5", 2, 2.5f}, NumberCase{"abc", 0, 0},
                      NumberCase{"", 0, 0}, NumberCase{"-", 0, 0}, NumberCase{"123456789012", INT_MAX, 123456789012.0f},
                      NumberCase{"-123456789012", INT_MIN, -123456789012.0f},
                      NumberCase{"2147483647", INT_MAX, 2147483647.0f}, NumberCase{"-2147483648", INT_MIN, -2147483648.0f},
                      NumberCase{"99999999999999999999999999", INT_MAX, 1e26f}));

class Controls : public ::testing::Test {
protected:
    Controls() { shell_test::ensureQtApplication(); }
    int actions = 0;
    QObject* lastSender = nullptr;
    settings::ControlAction count() {
        return [this](QObject* sender) {
            ++actions;
            lastSender = sender;
        };
    }
};

TEST_F(Controls, MatrixSelectsWithoutTheActionAndClicksWithIt) {
    RadioMatrix matrix(2);
    matrix.setAction(count());
    EXPECT_EQ(matrix.selectedColumn(), -1);
    matrix.selectCellAtRow(0, 1);
    EXPECT_EQ(matrix.selectedColumn(), 1);
    matrix.selectCellAtRow(0, -1);
    EXPECT_EQ(matrix.selectedColumn(), -1);
    matrix.selectCellAtRow(0, 5);
    EXPECT_EQ(matrix.selectedColumn(), -1);
    EXPECT_EQ(actions, 0);
    matrix.clickCell(0);
    EXPECT_EQ(matrix.selectedColumn(), 0);
    EXPECT_EQ(actions, 1);
    EXPECT_EQ(lastSender, &matrix);
    EXPECT_EQ(matrix.cellAtRow(0, 2), nullptr);
}

TEST_F(Controls, PopUpChecksTheIndexAndSendsOnTheUsersChoiceOnly) {
    PopUpButton popUp;
    popUp.setAction(count());
    popUp.addItemsWithTitles({"a", "b", "c"});
    popUp.selectItemAtIndex(2);
    EXPECT_EQ(popUp.indexOfSelectedItem(), 2);
    popUp.selectItemAtIndex(3);
    popUp.selectItemAtIndex(-2);
    EXPECT_EQ(popUp.indexOfSelectedItem(), 2);
    popUp.selectItemAtIndex(-1);
    EXPECT_EQ(popUp.indexOfSelectedItem(), -1);
    EXPECT_EQ(actions, 0);
    popUp.chooseItemAtIndex(1);
    EXPECT_EQ(actions, 1);
    popUp.chooseItemAtIndex(7);
    EXPECT_EQ(actions, 1);
    popUp.removeItemAtIndex(9);
    popUp.removeItemAtIndex(0);
    EXPECT_EQ(popUp.numberOfItems(), 2);
    EXPECT_EQ(popUp.titleOfItemAtIndex(0), "b");
    EXPECT_EQ(popUp.titleOfItemAtIndex(5), "");
    popUp.removeAllItems();
    EXPECT_EQ(popUp.indexOfSelectedItem(), -1);
}

TEST_F(Controls, StepperStaysWithinItsLimits) {
    Stepper stepper;
    stepper.setMinValue(3);
    stepper.setMaxValue(60);
    stepper.setAction(count());
    stepper.setFloatValue(100);
    EXPECT_EQ(stepper.floatValue(), 60);
    stepper.setFloatValue(-4);
    EXPECT_EQ(stepper.floatValue(), 3);
    stepper.stepDown();
    EXPECT_EQ(stepper.floatValue(), 3);
    stepper.stepUp();
    EXPECT_EQ(stepper.floatValue(), 4);
    EXPECT_EQ(actions, 2);
}

TEST_F(Controls, FieldSendsOnlyForTheUsersEdits) {
    TextField field;
    field.setAction(count());
    field.setIntValue(12);
    field.setStringValue("30");
    emit field.editingFinished();
    EXPECT_EQ(actions, 0);
    field.setModified(true);
    emit field.editingFinished();
    EXPECT_EQ(actions, 1);
    emit field.editingFinished();
    EXPECT_EQ(actions, 1);
    emit field.returnPressed();
    EXPECT_EQ(actions, 2);
    EXPECT_EQ(field.intValue(), 30);
}

// The form's pop-ups as the list's, in a window of their own: a wheel turn over a pop-up the user
// has not chosen sends nothing and takes no focus; once a click has given it the focus, the turn
// is a choice.
TEST(PopUpWheel, ATurnChoosesOnlyOnceTheUserHasGivenThePopUpTheFocus) {
    shell_test::ensureQtApplication();
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    auto* other = new PopUpButton(&window);
    auto* popUp = new PopUpButton(&window);
    layout->addWidget(other);
    layout->addWidget(popUp);
    popUp->addItemsWithTitles({"Disable", "Low", "High"});
    int actions = 0;
    popUp->setAction([&](QObject*) { ++actions; });
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    other->setFocus(Qt::TabFocusReason);

    settings_test::turnWheelDownOver(popUp);
    EXPECT_EQ(popUp->currentIndex(), 0);
    EXPECT_EQ(actions, 0);
    EXPECT_TRUE(other->hasFocus());

    popUp->setFocus(Qt::MouseFocusReason);
    settings_test::turnWheelDownOver(popUp);
    EXPECT_EQ(popUp->currentIndex(), 1);
    EXPECT_EQ(actions, 1);
}

}  // namespace
