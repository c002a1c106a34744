// Stand-ins for the four setting controls of the settings pages, shared by the fixed form and the
// cells of the all-settings list: a one-row radio matrix, a pop-up, a stepper and a text field read
// as numbers. Each sends its action (the control itself as sender) on user input only: Qt also
// signals programmatic changes, which must not reach the change actions.
#pragma once

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QWidget>
#include <functional>
#include <string>
#include <vector>

class QButtonGroup;
class QToolButton;
class QWheelEvent;

namespace settings {

using ControlAction = std::function<void(QObject* sender)>;

// On/off pairs (two cells: enable in column 0, disable in column 1) and the three-cell gain group.
class RadioMatrix : public QWidget {
public:
    explicit RadioMatrix(int columns, QWidget* parent = nullptr);

    // -1 when no cell is selected.
    int selectedColumn() const;
    // Selects a cell without sending the action; a column outside the row clears the selection.
    void selectCellAtRow(int row, int column);
    QRadioButton* cellAtRow(int row, int column) const;
    int numberOfColumns() const { return static_cast<int>(cells_.size()); }
    void setAction(ControlAction action) { action_ = std::move(action); }
    // What a user's click on a cell does: select it, then send the action.
    void clickCell(int column);

private:
    std::vector<QRadioButton*> cells_;
    QButtonGroup* group_;
    ControlAction action_;
};

class PopUpButton : public QComboBox {
public:
    explicit PopUpButton(QWidget* parent = nullptr);

    int indexOfSelectedItem() const { return currentIndex(); }
    // An index outside the items changes nothing; -1 clears the selection. No action is sent.
    void selectItemAtIndex(int index);
    void removeAllItems() { clear(); }
    void removeItemAtIndex(int index);
    void addItemWithTitle(const std::string& title);
    void addItemsWithTitles(const std::vector<std::string>& titles);
    int numberOfItems() const { return count(); }
    std::string titleOfItemAtIndex(int index) const;
    void setTitleOfItemAtIndex(int index, const std::string& title);
    void setAction(ControlAction action) { action_ = std::move(action); }
    // What a user's choice does: select the item, then send the action.
    void chooseItemAtIndex(int index);

protected:
    // A wheel turn changes the choice only once the user has given the pop-up the focus (a click
    // or Tab); otherwise it scrolls what holds the pop-up, as the pointer merely passes over it.
    void wheelEvent(QWheelEvent* event) override;

private:
    ControlAction action_;
};

// Two arrow buttons over a float value held within its limits.
class Stepper : public QWidget {
public:
    explicit Stepper(QWidget* parent = nullptr);

    double floatValue() const { return value_; }
    // Held within the limits, as the arrows hold it.
    void setFloatValue(double value);
    double minValue() const { return min_; }
    double maxValue() const { return max_; }
    double increment() const { return increment_; }
    void setMinValue(double value);
    void setMaxValue(double value);
    void setIncrement(double value) { increment_ = value; }
    // The value as set, outside the limits too (an empty FM preset shows 0); the arrows bring it
    // back within them.
    int intValue() const { return static_cast<int>(value_); }
    void setIntValue(int value) { value_ = value; }
    void setAction(ControlAction action) { action_ = std::move(action); }
    // A user's click on the up or down arrow.
    void stepUp();
    void stepDown();

private:
    double value_ = 0, min_ = 0, max_ = 59, increment_ = 1;
    QToolButton* up_;
    QToolButton* down_;
    ControlAction action_;
};

// A one-line label that ends its text in "…" where the text does not fit its frame, and then shows
// the whole text as its tooltip. text() stays the whole text (a note's button shows it whole). A
// label set to wrap its words wraps them instead.
class ElidedLabel : public QLabel {
public:
    using QLabel::QLabel;

    // What the label draws: its text, or the text cut to its frame and ended in "…".
    QString shownText() const;
    bool isElided() const { return shownText() != text(); }

protected:
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;
};

// A text field read as numbers the way the settings pages read them: leading blanks, a sign and
// the digits that follow (C locale); text that does not start with a number reads 0, and a number
// beyond the int range reads the nearest int limit.
class TextField : public QLineEdit {
public:
    explicit TextField(QWidget* parent = nullptr);

    int intValue() const;
    float floatValue() const;
    void setIntValue(int value);
    std::string stringValue() const { return text().toStdString(); }
    void setStringValue(const std::string& value) { setText(QString::fromStdString(value)); }
    void selectText() { selectAll(); }
    void setAction(ControlAction action) { action_ = std::move(action); }
    // What the user's Return (or leaving an edited field) does.
    void sendAction();
    // Leaving the field by a click acts once the click is done, so that the control clicked sees
    // the text as typed: SAVE or a page switch checks it and refuses, instead of going on with
    // the old value that the field's own check would have put back first.
    void setActionAfterClicks(bool after) { actionAfterClicks_ = after; }

    static int intValueOf(const std::string& text);
    static float floatValueOf(const std::string& text);

protected:
    void focusOutEvent(QFocusEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    ControlAction action_;
    bool actionAfterClicks_ = false;
    bool waitingForClick_ = false;
};

}  // namespace settings
