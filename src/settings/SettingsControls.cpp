#include "settings/SettingsControls.h"

#include <QApplication>
#include <QButtonGroup>
#include <QFocusEvent>
#include <QHBoxLayout>
#include <QHelpEvent>
#include <QPainter>
#include <QStyle>
#include <QToolButton>
#include <QToolTip>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <algorithm>
#include <cctype>
#include <charconv>
#include <climits>
#include <cmath>

namespace settings {

// ---- radio matrix -----------------------------------------------------------------------------

RadioMatrix::RadioMatrix(int columns, QWidget* parent) : QWidget(parent), group_(new QButtonGroup(this)) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    for (int c = 0; c < columns; ++c) {
        auto* cell = new QRadioButton(this);
        layout->addWidget(cell);
        group_->addButton(cell, c);
        cells_.push_back(cell);
        // clicked: user input (or click()), never setChecked.
        QObject::connect(cell, &QAbstractButton::clicked, this, [this] {
            if (action_) action_(this);
        });
    }
}

int RadioMatrix::selectedColumn() const { return group_->checkedId(); }

void RadioMatrix::selectCellAtRow(int row, int column) {
    if (row == 0 && column >= 0 && column < numberOfColumns()) {
        cells_[static_cast<size_t>(column)]->setChecked(true);
        return;
    }
    // An exclusive group keeps one cell checked; let go of it for a moment.
    group_->setExclusive(false);
    for (auto* cell : cells_) cell->setChecked(false);
    group_->setExclusive(true);
}

QRadioButton* RadioMatrix::cellAtRow(int row, int column) const {
    if (row != 0 || column < 0 || column >= numberOfColumns()) return nullptr;
    return cells_[static_cast<size_t>(column)];
}

void RadioMatrix::clickCell(int column) {
    if (auto* cell = cellAtRow(0, column)) cell->click();
}

// ---- pop-up -------------------------------------------------------------------------------------

PopUpButton::PopUpButton(QWidget* parent) : QComboBox(parent) {
    // Not a wheel's focus: a turn that passes over a pop-up must not make it the one it changes.
    setFocusPolicy(Qt::StrongFocus);
    // activated: the user's choice only.
    QObject::connect(this, &QComboBox::activated, this, [this](int) {
        if (action_) action_(this);
    });
}

void PopUpButton::wheelEvent(QWheelEvent* event) {
    if (!hasFocus()) {
        event->ignore();  // on to the list or the page under it
        return;
    }
    QComboBox::wheelEvent(event);
}

void PopUpButton::selectItemAtIndex(int index) {
    if (index < -1 || index >= count()) return;
    setCurrentIndex(index);
}

void PopUpButton::removeItemAtIndex(int index) {
    if (index >= 0 && index < count()) removeItem(index);
}

void PopUpButton::addItemWithTitle(const std::string& title) { addItem(QString::fromStdString(title)); }

void PopUpButton::addItemsWithTitles(const std::vector<std::string>& titles) {
    for (const auto& t : titles) addItemWithTitle(t);
}

std::string PopUpButton::titleOfItemAtIndex(int index) const {
    return index >= 0 && index < count() ? itemText(index).toStdString() : std::string();
}

void PopUpButton::setTitleOfItemAtIndex(int index, const std::string& title) {
    if (index >= 0 && index < count()) setItemText(index, QString::fromStdString(title));
}

void PopUpButton::chooseItemAtIndex(int index) {
    if (index < 0 || index >= count()) return;
    setCurrentIndex(index);
    if (action_) action_(this);
}

// ---- stepper ------------------------------------------------------------------------------------

Stepper::Stepper(QWidget* parent) : QWidget(parent), up_(new QToolButton(this)), down_(new QToolButton(this)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    up_->setArrowType(Qt::UpArrow);
    down_->setArrowType(Qt::DownArrow);
    up_->setFocusPolicy(Qt::NoFocus);
    down_->setFocusPolicy(Qt::NoFocus);
    layout->addWidget(up_);
    layout->addWidget(down_);
    QObject::connect(up_, &QToolButton::clicked, this, [this] { stepUp(); });
    QObject::connect(down_, &QToolButton::clicked, this, [this] { stepDown(); });
}

void Stepper::setFloatValue(double value) { value_ = std::clamp(value, min_, std::max(min_, max_)); }

void Stepper::setMinValue(double value) {
    min_ = value;
    setFloatValue(value_);
}

void Stepper::setMaxValue(double value) {
    max_ = value;
    setFloatValue(value_);
}

void Stepper::stepUp() {
    setFloatValue(value_ + increment_);
    if (action_) action_(this);
}

void Stepper::stepDown() {
    setFloatValue(value_ - increment_);
    if (action_) action_(this);
}

// ---- elided label -------------------------------------------------------------------------------

QString ElidedLabel::shownText() const {
    if (wordWrap()) return text();  // wrapped labels take their lines instead
    const int width = contentsRect().width() - 2 * margin();
    return fontMetrics().elidedText(text(), Qt::ElideRight, std::max(width, 0));
}

void ElidedLabel::paintEvent(QPaintEvent* event) {
    const QString shown = shownText();
    if (shown == text()) return QLabel::paintEvent(event);
    QPainter painter(this);
    const QRect area = contentsRect().adjusted(margin(), margin(), -margin(), -margin());
    style()->drawItemText(&painter, area, QStyle::visualAlignment(layoutDirection(), alignment()), palette(),
                          isEnabled(), shown, foregroundRole());
}

bool ElidedLabel::event(QEvent* event) {
    if (event->type() != QEvent::ToolTip || !toolTip().isEmpty()) return QLabel::event(event);
    if (isElided()) QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), text(), this);
    else QToolTip::hideText();
    return true;
}

// ---- text field ---------------------------------------------------------------------------------

TextField::TextField(QWidget* parent) : QLineEdit(parent) {
    QObject::connect(this, &QLineEdit::editingFinished, this, [this] {
        // Only the user's edits (or Return) count; setText leaves the field unmodified.
        if (!isModified() || waitingForClick_) return;
        sendAction();
    });
    QObject::connect(this, &QLineEdit::returnPressed, this, [this] {
        if (!isModified()) sendAction();
    });
}

void TextField::sendAction() {
    setModified(false);
    if (action_) action_(this);
}

void TextField::focusOutEvent(QFocusEvent* event) {
    if (actionAfterClicks_ && !waitingForClick_ && isModified() && event->reason() == Qt::MouseFocusReason &&
        QGuiApplication::mouseButtons() != Qt::NoButton) {
        waitingForClick_ = true;
        qApp->installEventFilter(this);
    }
    QLineEdit::focusOutEvent(event);
}

bool TextField::eventFilter(QObject* watched, QEvent* event) {
    // The click ends at its release; should the release never arrive (a grab taken away), the
    // user's next key or movement with no button held ends it, so the field is never left mute.
    const bool clickEnded = event->type() == QEvent::MouseButtonRelease ||
                            ((event->type() == QEvent::KeyPress || event->type() == QEvent::MouseMove) &&
                             QGuiApplication::mouseButtons() == Qt::NoButton);
    if (waitingForClick_ && clickEnded) {
        qApp->removeEventFilter(this);
        // Queued, so the release's click runs first; it may have put a value back or taken the
        // focus back into the field, and then there is nothing left to do here.
        QMetaObject::invokeMethod(
            this,
            [this] {
                waitingForClick_ = false;
                if (isModified() && !hasFocus()) sendAction();
            },
            Qt::QueuedConnection);
    }
    return QLineEdit::eventFilter(watched, event);
}

int TextField::intValue() const { return intValueOf(stringValue()); }

float TextField::floatValue() const { return floatValueOf(stringValue()); }

void TextField::setIntValue(int value) {
    setText(QString::number(value));
    setModified(false);
}

namespace {

size_t skipBlanks(const std::string& text) {
    size_t i = 0;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
    return i;
}

}  // namespace

int TextField::intValueOf(const std::string& text) {
    size_t i = skipBlanks(text);
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    long long value = 0;
    bool any = false;
    for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i) {
        any = true;
        // Saturate rather than overflow: any longer digit string stays beyond the int range.
        if (value <= static_cast<long long>(INT_MAX) + 1) value = value * 10 + (text[i] - '0');
    }
    if (!any) return 0;
    if (negative) return value > static_cast<long long>(INT_MAX) + 1 ? INT_MIN : static_cast<int>(-value);
    return value > INT_MAX ? INT_MAX : static_cast<int>(value);
}

float TextField::floatValueOf(const std::string& text) {
    size_t i = skipBlanks(text);
    if (i < text.size() && text[i] == '+') ++i;
    float value = 0;
    auto [end, ec] = std::from_chars(text.data() + i, text.data() + text.size(), value);
    if (ec == std::errc::result_out_of_range) return text[i] == '-' ? -HUGE_VALF : HUGE_VALF;
    return ec == std::errc() ? value : 0.0f;
}

}  // namespace settings
