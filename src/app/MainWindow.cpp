#include "app/MainWindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFontMetrics>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenuBar>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>
#include <QVBoxLayout>
#include <QWindow>
#include <algorithm>
#include <utility>

#include "app/AppImages.h"

namespace app {
namespace {

// Geometry of the window's parts (points, from the top left of the view).
constexpr int kViewWidth = 995;
constexpr int kViewHeight = 665;
constexpr int kDetailX = 245;
constexpr int kDetailWidth = 735;

QLabel* label(QWidget* parent, QRect frame, Qt::Alignment align = Qt::AlignCenter) {
    auto* l = new QLabel(parent);
    l->setGeometry(frame);
    l->setAlignment(align);
    return l;
}

QLabel* smallLabel(QWidget* parent, QRect frame) {
    auto* l = label(parent, frame);
    QFont f = l->font();
    f.setPointSizeF(f.pointSizeF() * 0.85);
    l->setFont(f);
    l->setStyleSheet("color: #555555;");
    return l;
}

// Asks for the whole view, so that the window's natural size is the view's.
class ViewScrollArea : public QScrollArea {
public:
    using QScrollArea::QScrollArea;
    QSize sizeHint() const override {
        const int frame = 2 * frameWidth();
        return widget() ? widget()->size() + QSize(frame, frame) : QScrollArea::sizeHint();
    }
};

}  // namespace

MainWindow::MainWindow() {
    view = new ORVABluetoothManagerView;
    view->setFixedSize(kViewWidth, kViewHeight);
    scrollArea = new ViewScrollArea(this);
    scrollArea->setFrameShape(QFrame::NoFrame);
    scrollArea->setFocusPolicy(Qt::NoFocus);
    scrollArea->setWidget(view);
    setCentralWidget(scrollArea);
    buildSidePanel();
    buildDetailArea();
    buildBottomBar();

    menuManager = menuBar()->addMenu(QString());
    menuItemAbout = menuManager->addAction(QString());
    menuItemAbout->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_I));
    menuItemKeyboradShortcuts = menuManager->addAction(QString());
    menuItemKeyboradShortcuts->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_K));
    menuItemManagerLanguage = menuManager->addAction(QString());
    menuManager->addSeparator();
    menuItemQuit = menuManager->addAction(QString());
    menuItemQuit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    menuHelp = menuBar()->addMenu(QString());
    menuItemOnlineHelp = menuHelp->addAction(QString());
    menuItemOnlineHelp->setShortcut(QKeySequence(Qt::Key_F1));
    menuItemDiagnosticLog = menuHelp->addAction(QString());
    // The menu bar from the keyboard: F10 opens its first menu, the arrows go on from there.
    auto* menuKey = new QShortcut(QKeySequence(Qt::Key_F10), this);
    QObject::connect(menuKey, &QShortcut::activated, this,
                     [this] { menuBar()->setActiveAction(menuManager->menuAction()); });

    fitToScreen();
}

void MainWindow::fitToScreen() {
    const QSize whole = view->size() + QSize(0, menuBar()->sizeHint().height());
    const QRect available = screen()->availableGeometry();
    const QMargins frame = windowHandle() ? windowHandle()->frameMargins() : QMargins();
    const QSize room = available.size().shrunkBy(frame);
    if (whole.width() <= room.width() && whole.height() <= room.height()) {
        setFixedSize(whole);
        return;
    }
    // A scroll bar takes its breadth from the other direction.
    const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, scrollArea);
    QSize largest = whole;
    if (whole.height() > room.height()) largest.rwidth() += bar;
    if (whole.width() > room.width()) largest.rheight() += bar;
    const QSize size = largest.boundedTo(room);
    // The user may size it between a small window and the whole view.
    setMinimumSize(size.boundedTo(QSize(480, 320)));
    setMaximumSize(largest);
    resize(size);
    const QSize outer = size.grownBy(frame);
    move(available.x() + (available.width() - outer.width()) / 2,
         available.y() + (available.height() - outer.height()) / 2);
}

void MainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (screenWatched_ || !windowHandle()) return;
    screenWatched_ = true;
    // The window's frame is known once it is shown: fitted again with it.
    fitToScreen();
    QObject::connect(windowHandle(), &QWindow::screenChanged, this, [this] { redrawDrawnImages(this); });
}

void MainWindow::moveEvent(QMoveEvent* event) {
    QMainWindow::moveEvent(event);
    // A window manager adds its frame (title bar) after the window shows: once it is known, the
    // window is fitted again when the frame makes it overflow the available area.
    if (frameFitted_ || !windowHandle() || windowHandle()->frameMargins().isNull()) return;
    frameFitted_ = true;
    if (!screen()->availableGeometry().contains(frameGeometry())) fitToScreen();
}

QList<QWidget*> MainWindow::tabStops() const {
    QList<QWidget*> stops;
    for (QWidget* w : findChildren<QWidget*>()) {
        if (w->window() != this || !w->isVisible() || !w->isEnabled() || w->focusProxy()) continue;
        if ((w->focusPolicy() & Qt::TabFocus) != Qt::TabFocus) continue;
        stops.append(w);
    }
    auto top = [this](const QWidget* w) { return w->mapTo(this, QPoint(0, 0)); };
    std::sort(stops.begin(), stops.end(), [&](QWidget* a, QWidget* b) { return top(a).y() < top(b).y(); });
    // Rows: a control whose middle lies above the bottom of the row's first control is in its row.
    QList<QWidget*> ordered;
    for (qsizetype first = 0; first < stops.size();) {
        const int rowBottom = top(stops[first]).y() + stops[first]->height();
        qsizetype end = first + 1;
        while (end < stops.size() && top(stops[end]).y() + stops[end]->height() / 2 < rowBottom) ++end;
        QList<QWidget*> row = stops.mid(first, end - first);
        std::stable_sort(row.begin(), row.end(), [&](QWidget* a, QWidget* b) { return top(a).x() < top(b).x(); });
        ordered.append(row);
        first = end;
    }
    return ordered;
}

bool MainWindow::focusNextPrevChild(bool next) {
    const QList<QWidget*> stops = tabStops();
    if (stops.isEmpty()) return false;
    const qsizetype at = stops.indexOf(focusWidget());
    qsizetype to;
    if (at < 0)
        to = next ? 0 : stops.size() - 1;
    else
        to = (at + (next ? 1 : stops.size() - 1)) % stops.size();
    QWidget* stop = stops[to];
    stop->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    scrollArea->ensureWidgetVisible(stop);
    return true;
}

void MainWindow::keyPressEvent(QKeyEvent* event) {
    // Return presses the button that has the focus, as Space does.
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && event->modifiers() == Qt::NoModifier) {
        if (auto* button = qobject_cast<QAbstractButton*>(focusWidget());
            button && button->isVisible() && button->isEnabled()) {
            button->click();
            return;
        }
    }
    QMainWindow::keyPressEvent(event);
}

void MainWindow::buildSidePanel() {
    auto* panel = new QFrame(view);
    panel->setGeometry(0, 0, 232, kViewHeight);
    panel->setStyleSheet("background: white;");
    panel->lower();
    imgManagerImg = label(view, {15, 12, 200, 56});
    imgProduct = label(view, {51, 84, 128, 128});
    // Two lines for a long model name; the version below it.
    lblProduct = label(view, {8, 214, 216, 40});
    lblProduct->setWordWrap(true);
    QFont bold = lblProduct->font();
    bold.setBold(true);
    lblProduct->setFont(bold);
    lblVersion = label(view, {8, 256, 216, 20});
    std::array<ORVABluetoothMainButton**, 5> buttons = {&btnDeviceSelection, &btnDeviceRecognition, &btnFirmwareUpdate,
                                                       &btnFirmwareRestore, &btnDeviceSettings};
    const std::array<Qt::Key, 5> keys = {Qt::Key_S, Qt::Key_R, Qt::Key_U, Qt::Key_E, Qt::Key_T};
    for (size_t i = 0; i < buttons.size(); ++i) {
        auto* b = new ORVABluetoothMainButton(view);
        b->setGeometry(15, 288 + static_cast<int>(i) * 58, 200, 50);
        *buttons[i] = b;
        addWindowKey(b, QKeySequence(Qt::CTRL | keys[i]));
    }
    lblShortcutsKeys = smallLabel(view, {8, 600, 216, 40});
    lblShortcutsKeys->setText("[C] Ctrl   [S] Shift   [O] Alt\n[C]-K  [C]-\u25C0  [C]-\u25B6");
}

void MainWindow::buildDetailArea() {
    lblDetailTitle = label(view, {kDetailX, 12, kDetailWidth, 30});
    lblDetailTitle->setAutoFillBackground(true);

    auto tab = [&](int x, QLabel** background, QLabel** foreground, QPushButton** button, Qt::Key key) {
        *background = label(view, {x, 44, 365, 18});
        (*background)->setAutoFillBackground(true);
        *foreground = label(view, {x, 44, 365, 18});
        *button = new QPushButton(view);
        (*button)->setGeometry(x, 44, 365, 18);
        (*button)->setFlat(true);
        (*button)->setStyleSheet("background: transparent; border: none;");
        (*button)->setShortcut(QKeySequence(Qt::CTRL | key));
        (*button)->setFocusPolicy(Qt::NoFocus);
    };
    tab(kDetailX, &lblDetailTitlePagesFirstBackground, &lblDetailTitlePagesFirstForeground, &btnDetailTitlePagesFirst,
        Qt::Key_1);
    tab(kDetailX + 368, &lblDetailTitlePagesSecondBackground, &lblDetailTitlePagesSecondForeground,
        &btnDetailTitlePagesSecond, Qt::Key_2);
    lblDetailTitlePagesBottomLine = label(view, {kDetailX, 62, kDetailWidth, 2});
    lblDetailTitlePagesBottomLine->setStyleSheet("background: rgb(0, 117, 168);");

    boxDetail = new QFrame(view);
    boxDetail->setGeometry(kDetailX, 68, kDetailWidth, 480);
    boxDetail->setFrameShape(QFrame::StyledPanel);
    // Holds the focus between pages (ending an edit), but is no stop of Tab: it shows nothing.
    boxDetail->setFocusPolicy(Qt::ClickFocus);
    auto* content = new QHBoxLayout(boxDetail);
    content->setContentsMargins(8, 8, 8, 8);

    boxListTabsBox = new QFrame(view);
    boxListTabsBox->setGeometry(kDetailX + 368, 62, 240, 3 * 30 + 10);
    boxListTabsBox->setFrameShape(QFrame::Box);
    boxListTabsBox->setAutoFillBackground(true);
    for (int i = 0; i < 3; ++i) {
        lblListTabs[static_cast<size_t>(i)] = label(boxListTabsBox, {4, 5 + i * 30, 232, 28});
        lblListTabs[static_cast<size_t>(i)]->setAutoFillBackground(true);
        auto* b = new QPushButton(boxListTabsBox);
        b->setGeometry(4, 5 + i * 30, 232, 28);
        b->setFlat(true);
        b->setStyleSheet("background: transparent; border: none; text-align: left; padding-left: 8px;");
        btnListTabs[static_cast<size_t>(i)] = b;
    }
    boxListTabsBox->raise();
    boxListTabsBox->hide();
}

void MainWindow::buildBottomBar() {
    tfStatus = label(view, {kDetailX, 556, kDetailWidth, 30}, Qt::AlignVCenter | Qt::AlignLeft);
    tfStatus->setAutoFillBackground(true);
    tfStatus->setIndent(10);
    btnStatus = new QPushButton("...", view);
    btnStatus->setGeometry(kDetailX + kDetailWidth - 32, 559, 28, 24);
    auto button = [&](QRect frame) {
        auto* b = new QPushButton(view);
        b->setGeometry(frame);
        return b;
    };
    btnAbout = button({kDetailX, 598, 160, 32});
    btnLanguageManager = button({kDetailX + 200, 598, 300, 32});
    btnClose = button({kDetailX + kDetailWidth - 160, 598, 160, 32});
    lblShortcutsAbout = smallLabel(view, {kDetailX, 632, 160, 18});
    lblShortcutsAbout->setText("[C]-I");
    lblShortcutsLanguageManager = smallLabel(view, {kDetailX + 200, 632, 300, 18});
    lblShortcutsLanguageManager->setText("[C]-L");
    lblShortcutsClose = smallLabel(view, {kDetailX + kDetailWidth - 160, 632, 160, 18});
    lblShortcutsClose->setText("[C]-Q");
    addWindowKey(btnLanguageManager, QKeySequence(Qt::CTRL | Qt::Key_L));
}

void MainWindow::setProductName(const QString& name) {
    // Wrapped at blanks over two lines; a word wider than the panel, or a third line, is elided
    // at its end, so the name is never cut at both sides.
    const QFontMetrics metrics(lblProduct->font());
    const int width = lblProduct->width() - 4;
    QStringList lines;
    QString line;
    for (const QString& word : name.split(' ', Qt::SkipEmptyParts)) {
        QString candidate = line.isEmpty() ? word : line + ' ' + word;
        if (line.isEmpty() || metrics.horizontalAdvance(candidate) <= width) {
            line = candidate;
        } else {
            lines.append(line);
            line = word;
        }
    }
    if (!line.isEmpty()) lines.append(line);
    if (lines.size() > 2) lines = {lines[0], QStringList(lines.mid(1)).join(' ')};
    for (QString& l : lines) l = metrics.elidedText(l, Qt::ElideRight, width);
    lblProduct->setText(lines.join('\n'));
    lblProduct->setToolTip(name);
}

void MainWindow::addWindowKey(QAbstractButton* button, QKeySequence key) {
    auto* shortcut = new QShortcut(key, this);
    QObject::connect(shortcut, &QShortcut::activated, button, [this, key] { pressWindowKey(key); });
    windowKeys.push_back(shortcut);
    keyButtons_.emplace_back(key, button);
}

bool MainWindow::pressWindowKey(const QKeySequence& key) {
    for (auto& [k, button] : keyButtons_) {
        if (k != key) continue;
        if (button->isEnabled() && button->isVisible()) button->click();
        return true;
    }
    return false;
}

void MainWindow::claimKeysOf(QWidget* page) {
    QList<QKeySequence> pageKeys;
    if (page)
        for (const QShortcut* s : page->findChildren<QShortcut*>()) pageKeys.append(s->key());
    for (QShortcut* s : windowKeys) s->setEnabled(!pageKeys.contains(s->key()));
}

MainWindow::MessageBoxSheet& MainWindow::messageBox() {
    if (!messageBox_.sheetMessageBox) {
        buildMessageBox();
        if (onMessageBoxBuilt) onMessageBoxBuilt(messageBox_);
    }
    return messageBox_;
}

MainWindow::AboutSheet& MainWindow::about() {
    if (!about_.sheetAbout) {
        buildAbout();
        if (onAboutBuilt) onAboutBuilt(about_);
    }
    return about_;
}

MainWindow::LanguageSheet& MainWindow::languageSheet() {
    if (!languageSheet_.sheetLanguageManager) {
        buildLanguageManager();
        if (onLanguageSheetBuilt) onLanguageSheetBuilt(languageSheet_);
    }
    return languageSheet_;
}

Sheet* MainWindow::newSheet() {
    auto* sheet = new Sheet(this);
    sheet->setWindowModality(Qt::WindowModal);
    // The window's own key is blocked while the sheet has the keyboard: Ctrl+Q asks the same quit.
    auto* quit = new QShortcut(menuItemQuit->shortcut(), sheet);
    QObject::connect(quit, &QShortcut::activated, menuItemQuit, &QAction::trigger);
    return sheet;
}

void MainWindow::hideSheets() {
    for (QDialog* dialog : findChildren<QDialog*>())
        if (dialog->isVisible()) dialog->hide();
}

void MainWindow::buildMessageBox() {
    MessageBoxSheet& m = messageBox_;
    m.sheetMessageBox = newSheet();
    auto* grid = new QGridLayout(m.sheetMessageBox);
    grid->setContentsMargins(18, 18, 18, 14);
    grid->setHorizontalSpacing(16);
    m.imgMessageBox = new QLabel(m.sheetMessageBox);
    m.imgMessageBox->setFixedSize(64, 64);
    m.imgMessageBox->setAlignment(Qt::AlignCenter);
    m.tfBackGround = new QLabel(m.sheetMessageBox);
    m.tfBackGround->setStyleSheet("background: rgb(255, 236, 204); border-radius: 4px;");
    m.tfMessageBox = new QLabel(m.sheetMessageBox);
    m.tfMessageBox->setWordWrap(true);
    m.tfMessageBox->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m.tfMessageBox->setTextFormat(Qt::PlainText);
    m.tfMessageBox->setMargin(6);
    m.btnMessageBoxCancel = new QPushButton(m.sheetMessageBox);
    m.btnMessageBoxOK = new QPushButton(m.sheetMessageBox);
    m.btnMessageBoxOK->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m.btnMessageBoxCancel);
    buttons->addWidget(m.btnMessageBoxOK);
    grid->addWidget(m.imgMessageBox, 0, 0, Qt::AlignTop);
    grid->addWidget(m.tfBackGround, 0, 1);
    grid->addWidget(m.tfMessageBox, 0, 1);
    grid->addLayout(buttons, 1, 0, 1, 2);
    grid->setRowStretch(0, 1);
    grid->setColumnStretch(1, 1);
}

void MainWindow::buildAbout() {
    AboutSheet& a = about_;
    a.sheetAbout = newSheet();
    a.imgAboutImg = label(a.sheetAbout, {20, 30, 72, 72});
    a.tfAbout = label(a.sheetAbout, {105, 42, 430, 51});
    a.tfAbout->setWordWrap(true);
    a.btnAboutOK = new QPushButton(a.sheetAbout);
    a.btnAboutOK->setDefault(true);
}

void MainWindow::buildLanguageManager() {
    LanguageSheet& l = languageSheet_;
    l.sheetLanguageManager = newSheet();
    auto* layout = new QVBoxLayout(l.sheetLanguageManager);
    l.boxLanguageManager = new QGroupBox(l.sheetLanguageManager);
    auto* rows = new QGridLayout(l.boxLanguageManager);
    rows->setVerticalSpacing(2);
    l.radioLanguageManager = new QButtonGroup(l.sheetLanguageManager);
    for (size_t row = 0; row < kLanguageRows; ++row) {
        auto* cell = new QRadioButton(l.boxLanguageManager);
        auto* label = new QPushButton(l.boxLanguageManager);
        // A label that can be clicked: flat, left-aligned, switched on by a click.
        label->setFlat(true);
        label->setCheckable(true);
        label->setFocusPolicy(Qt::NoFocus);
        label->setStyleSheet("text-align: left; border: none; padding: 2px;");
        l.radioLanguageManager->addButton(cell, static_cast<int>(row));
        rows->addWidget(cell, static_cast<int>(row), 0);
        rows->addWidget(label, static_cast<int>(row), 1);
        l.buttonCellLanguageManagerGeneral[row] = cell;
        l.btnLanguageManagerGeneral[row] = label;
    }
    rows->setColumnStretch(1, 1);
    layout->addWidget(l.boxLanguageManager);
    l.btnApplyToLanguageFirmware = new QCheckBox(l.sheetLanguageManager);
    layout->addWidget(l.btnApplyToLanguageFirmware);
    l.btnLanguageManagerCancel = new QPushButton(l.sheetLanguageManager);
    l.btnLanguageManagerOK = new QPushButton(l.sheetLanguageManager);
    l.btnLanguageManagerOK->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(l.btnLanguageManagerCancel);
    buttons->addWidget(l.btnLanguageManagerOK);
    layout->addLayout(buttons);
    l.sheetLanguageManager->setMinimumWidth(360);
}

bool MainWindow::makeFirstResponder() {
    if (auto* edit = qobject_cast<QLineEdit*>(focusWidget())) {
        if (!edit->hasAcceptableInput()) return false;
    }
    boxDetail->setFocus(Qt::OtherFocusReason);
    return true;
}

void MainWindow::afterFirstPaint(std::function<void()> work) {
    if (painted_ || !isVisible()) {
        work();
        return;
    }
    afterFirstPaint_.push_back(std::move(work));
}

void MainWindow::paintEvent(QPaintEvent* event) {
    QMainWindow::paintEvent(event);
    if (painted_) return;
    painted_ = true;
    // Queued: the paint reaches the screen before the work begins.
    QMetaObject::invokeMethod(
        this,
        [this] {
            for (auto& work : std::exchange(afterFirstPaint_, {})) work();
        },
        Qt::QueuedConnection);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    event->ignore();
    if (onCloseRequested) onCloseRequested();
}

}  // namespace app
