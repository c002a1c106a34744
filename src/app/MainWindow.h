// The main window as the program's nib would hold it: every outlet the controller drives, laid
// out in code, plus the two sheets (message box and About). It has no behaviour of its own: the
// controller connects the actions and fills the texts.
#pragma once

#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QDialog>
#include <QGroupBox>
#include <QFrame>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QShortcut>
#include <array>
#include <functional>
#include <vector>

#include "app/ModalWindowClose.h"
#include "app/ORVABluetoothMainButton.h"
#include "app/ORVABluetoothManagerView.h"

namespace app {

// A sheet on the main window: Escape and the close box ask the controller instead of closing.
class Sheet : public QDialog {
public:
    using QDialog::QDialog;
    std::function<void()> onEscape;
    void reject() override {
        if (onEscape) onEscape();
    }
};

class MainWindow : public QMainWindow {
public:
    MainWindow();

    // The window's close button asks this instead of closing (the controller decides), also while
    // a sheet is shown.
    std::function<void()> onCloseRequested;

    // Hides every sheet and dialog shown on the window at once: nothing shown may hold the way out.
    void hideSheets();

    // Ends editing in the window; false when a field refuses to give up its text.
    bool makeFirstResponder();

    // The side panel's model name: wrapped, or elided at its end where it does not fit.
    void setProductName(const QString& name);

    // The window's keys of its side buttons and language button. They are shortcuts of their own,
    // not the buttons' (a button's title change clears the button's shortcut), and click their
    // button when it is enabled.
    std::vector<QShortcut*> windowKeys;
    // What the window's key does (its button clicked when enabled and shown); false when the
    // window has no such key. A page whose own control for a claimed key cannot act hands the
    // key back this way.
    bool pressWindowKey(const QKeySequence& key);
    // A page's shortcuts take the keys that the window also has while that page is shown: Qt fires
    // neither of two equal shortcuts. Call with the page's view (or none) after every switch.
    void claimKeysOf(QWidget* page);

    // Runs work once the window has painted for the first time, or at once when it has or is not
    // shown: what the start sets going in the background must not delay the first paint.
    void afterFirstPaint(std::function<void()> work);

    ORVABluetoothManagerView* view = nullptr;
    // Holds the view. Where the screen's available area holds the whole window it shows no scroll
    // bars; on a smaller screen the window takes the available size and the view scrolls.
    QScrollArea* scrollArea = nullptr;
    // Sizes and places the window for its screen as above (and centres it when it does not fit).
    void fitToScreen();
    // The window's controls that Tab visits, in reading order: rows from the top, each row from
    // the left; only controls that are shown and enabled.
    QList<QWidget*> tabStops() const;

    // Side panel.
    QLabel* imgManagerImg = nullptr;
    QLabel* imgProduct = nullptr;
    QLabel* lblProduct = nullptr;
    QLabel* lblVersion = nullptr;
    ORVABluetoothMainButton* btnDeviceSelection = nullptr;
    ORVABluetoothMainButton* btnDeviceRecognition = nullptr;
    ORVABluetoothMainButton* btnFirmwareUpdate = nullptr;
    ORVABluetoothMainButton* btnFirmwareRestore = nullptr;
    ORVABluetoothMainButton* btnDeviceSettings = nullptr;

    // Content box and its title with the tab header.
    QLabel* lblDetailTitle = nullptr;
    QFrame* boxDetail = nullptr;
    QLabel* lblDetailTitlePagesFirstBackground = nullptr;
    QLabel* lblDetailTitlePagesFirstForeground = nullptr;
    QPushButton* btnDetailTitlePagesFirst = nullptr;
    QLabel* lblDetailTitlePagesSecondBackground = nullptr;
    QLabel* lblDetailTitlePagesSecondForeground = nullptr;
    QPushButton* btnDetailTitlePagesSecond = nullptr;
    QLabel* lblDetailTitlePagesBottomLine = nullptr;

    // Tab pop-up.
    QFrame* boxListTabsBox = nullptr;
    std::array<QPushButton*, 3> btnListTabs{};
    std::array<QLabel*, 3> lblListTabs{};

    // Status line and the bottom buttons with their shortcut labels.
    QLabel* tfStatus = nullptr;
    QPushButton* btnStatus = nullptr;
    QPushButton* btnAbout = nullptr;
    QPushButton* btnLanguageManager = nullptr;
    QPushButton* btnClose = nullptr;
    QLabel* lblShortcutsKeys = nullptr;
    QLabel* lblShortcutsAbout = nullptr;
    QLabel* lblShortcutsLanguageManager = nullptr;
    QLabel* lblShortcutsClose = nullptr;

    // Menus.
    QMenu* menuManager = nullptr;
    QMenu* menuHelp = nullptr;
    QAction* menuItemAbout = nullptr;
    QAction* menuItemKeyboradShortcuts = nullptr;
    QAction* menuItemQuit = nullptr;
    QAction* menuItemOnlineHelp = nullptr;
    QAction* menuItemManagerLanguage = nullptr;
    QAction* menuItemDiagnosticLog = nullptr;

    // The sheets: each is built on first use, as most runs open none of them; onBuilt is called
    // once as it is built (the controller connects its controls there).
    struct MessageBoxSheet {
        Sheet* sheetMessageBox = nullptr;
        QLabel* imgMessageBox = nullptr;
        QLabel* tfMessageBox = nullptr;
        QLabel* tfBackGround = nullptr;
        QPushButton* btnMessageBoxOK = nullptr;
        QPushButton* btnMessageBoxCancel = nullptr;
    };
    struct AboutSheet {
        Sheet* sheetAbout = nullptr;
        QLabel* imgAboutImg = nullptr;
        QLabel* tfAbout = nullptr;
        QPushButton* btnAboutOK = nullptr;
    };
    // Interface-language sheet: a radio of 13 rows with a clickable label beside each row.
    static constexpr size_t kLanguageRows = 13;
    struct LanguageSheet {
        Sheet* sheetLanguageManager = nullptr;
        QGroupBox* boxLanguageManager = nullptr;
        QButtonGroup* radioLanguageManager = nullptr;
        std::array<QRadioButton*, kLanguageRows> buttonCellLanguageManagerGeneral{};
        std::array<QPushButton*, kLanguageRows> btnLanguageManagerGeneral{};
        QCheckBox* btnApplyToLanguageFirmware = nullptr;
        QPushButton* btnLanguageManagerOK = nullptr;
        QPushButton* btnLanguageManagerCancel = nullptr;
    };
    MessageBoxSheet& messageBox();
    AboutSheet& about();
    LanguageSheet& languageSheet();
    std::function<void(MessageBoxSheet&)> onMessageBoxBuilt;
    std::function<void(AboutSheet&)> onAboutBuilt;
    std::function<void(LanguageSheet&)> onLanguageSheetBuilt;

protected:
    void closeEvent(QCloseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    void buildSidePanel();
    void buildDetailArea();
    void buildBottomBar();
    void buildMessageBox();
    void buildAbout();
    void buildLanguageManager();
    void addWindowKey(QAbstractButton* button, QKeySequence key);
    Sheet* newSheet();
    std::vector<std::pair<QKeySequence, QAbstractButton*>> keyButtons_;
    MessageBoxSheet messageBox_;
    AboutSheet about_;
    LanguageSheet languageSheet_;
    ModalWindowClose modalClose_{this, [this] {
        if (onCloseRequested) onCloseRequested();
    }};
    bool painted_ = false;
    bool screenWatched_ = false;
    bool frameFitted_ = false;
    std::vector<std::function<void()>> afterFirstPaint_;
};

}  // namespace app
