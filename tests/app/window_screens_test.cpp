// The window on screens of several sizes and pixel ratios (Qt's offscreen screens, one process per
// case): it keeps its size where the screen holds it, else it takes the available area and every
// part of it can be scrolled into view; its drawn pictures have the screen's pixel ratio, also
// after it moves to a screen with another ratio.
#include <QScreen>
#include <QScrollBar>
#include <QWindow>
#include <fstream>

#include "ShellFixture.h"
#include "app/AppImages.h"

namespace shell_test {
namespace {

struct Screen {
    int x, width, height;
    qreal ratio;
};

struct ScreenCase {
    const char* name;
    Screen screen;
    bool holdsTheWindow;
};

void PrintTo(const ScreenCase& c, std::ostream* os) { *os << c.name; }

// The window's natural size: the view below the menu bar.
constexpr QSize kView(995, 665);

class WindowOnScreens : public ::testing::Test {
protected:
    // Makes the process's application on these screens, then the controller on its window; false
    // when the process already had an application (the case then needs a process of its own,
    // which CTest gives it).
    bool open(const std::vector<Screen>& screens) {
        std::string json = R"({"windowFrameMargins": true, "screens": [)";
        for (size_t i = 0; i < screens.size(); ++i) {
            const Screen& s = screens[i];
            json += (i ? "," : "") + std::string(R"({"name": "screen)") + std::to_string(i) + R"(", "x": )" +
                    std::to_string(s.x) + R"(, "y": 0, "width": )" + std::to_string(s.width) +
                    R"(, "height": )" + std::to_string(s.height) + R"(, "dpr": )" + std::to_string(s.ratio) + "}";
        }
        json += "]}";
        const std::string file = configFolder.path() + "/screens.json";
        std::ofstream(file) << json;
        if (!ensureQtApplication("offscreen:configfile=" + file)) return false;
        setenv("XDG_DATA_HOME", dataHome.path().c_str(), 1);
        controller = std::make_unique<app::ORVABluetoothManagerAppController>(pages);
        window = std::make_unique<app::MainWindow>();
        controller->setWindow(window.get());
        controller->setTerminateHandler([] {});
        controller->awakeFromNib();
        platform::drainMainQueue();
        window->show();
        QApplication::processEvents();
        return true;
    }
    ~WindowOnScreens() override {
        platform::drainMainQueue();
        window.reset();
        controller.reset();
        unsetenv("XDG_DATA_HOME");
    }

    // Whether w lies wholly inside the scroll area's visible part once scrolled to.
    bool scrollsIntoView(QWidget* w) {
        window->scrollArea->ensureWidgetVisible(w, 0, 0);
        QApplication::processEvents();
        QWidget* viewport = window->scrollArea->viewport();
        const QRect shown(w->mapTo(viewport, QPoint(0, 0)), w->size());
        return viewport->rect().contains(shown);
    }

    test_support::TempDir configFolder;
    test_support::TempDir dataHome;
    RecordingPages pages;
    std::unique_ptr<app::ORVABluetoothManagerAppController> controller;
    std::unique_ptr<app::MainWindow> window;
};

class WindowSize : public WindowOnScreens, public ::testing::WithParamInterface<ScreenCase> {};

const ScreenCase kScreens[] = {
    {"LaptopScreenHoldsTheWholeWindow", {0, 1280, 800, 1.0}, true},
    {"SmallScreen1024x600", {0, 1024, 600, 1.0}, false},
    {"FullHdAtTwiceTheScale", {0, 960, 540, 2.0}, false},
};

TEST_P(WindowSize, TheWindowFitsTheAvailableAreaAndEveryPartScrollsIntoView) {
    const ScreenCase& c = GetParam();
    if (!open({c.screen})) GTEST_SKIP() << "needs a process of its own (CTest gives it one)";
    const QRect available = window->screen()->availableGeometry();
    ASSERT_EQ(available.size(), QSize(c.screen.width, c.screen.height));
    EXPECT_TRUE(available.contains(window->frameGeometry()))
        << "window " << window->frameGeometry().width() << "x" << window->frameGeometry().height();
    EXPECT_EQ(window->view->size(), kView) << "the layout stays as it is";
    if (c.holdsTheWindow) {
        EXPECT_EQ(window->scrollArea->viewport()->size(), kView);
        EXPECT_EQ(window->minimumSize(), window->maximumSize()) << "the window keeps its one size";
        EXPECT_FALSE(window->scrollArea->verticalScrollBar()->isVisible());
        EXPECT_FALSE(window->scrollArea->horizontalScrollBar()->isVisible());
        return;
    }
    // Centred in the available area.
    EXPECT_LE(std::abs(window->frameGeometry().center().x() - available.center().x()), 1);
    EXPECT_LE(std::abs(window->frameGeometry().center().y() - available.center().y()), 1);
    EXPECT_TRUE(window->scrollArea->verticalScrollBar()->isVisible());
    // Every button and text, the status line, the bottom buttons and the page's box.
    QList<QWidget*> parts = {window->boxDetail, window->tfStatus};
    for (auto* b : window->view->findChildren<QAbstractButton*>()) parts.append(b);
    for (auto* l : window->view->findChildren<QLabel*>()) parts.append(l);
    int checked = 0;
    for (QWidget* part : parts) {
        if (!part->isVisible()) continue;
        EXPECT_TRUE(scrollsIntoView(part)) << part->metaObject()->className() << " "
                                           << part->objectName().toStdString() << " at "
                                           << part->mapTo(window->view, QPoint(0, 0)).y();
        ++checked;
    }
    EXPECT_GE(checked, 10);
    EXPECT_TRUE(scrollsIntoView(window->btnClose));
    EXPECT_TRUE(scrollsIntoView(window->btnAbout));
}

INSTANTIATE_TEST_SUITE_P(Screens, WindowSize, ::testing::ValuesIn(kScreens),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(WindowOnScreens, DrawnPicturesTakeTheRatioOfTheScreenTheWindowIsOn) {
    if (!open({{0, 1280, 800, 1.0}, {1280, 1280, 800, 2.0}})) GTEST_SKIP() << "needs a process of its own";
    const QList<QScreen*> screens = QGuiApplication::screens();
    ASSERT_EQ(screens.size(), 2);
    auto logo = [&] { return window->imgManagerImg->pixmap(); };
    auto product = [&] { return window->imgProduct->pixmap(); };
    ASSERT_EQ(window->screen(), screens[0]);
    ASSERT_FALSE(logo().isNull());
    ASSERT_FALSE(product().isNull());
    EXPECT_EQ(logo().devicePixelRatio(), 1.0);
    const QSize logoPoints = logo().deviceIndependentSize().toSize();
    const QSize productPoints = product().deviceIndependentSize().toSize();

    window->windowHandle()->setScreen(screens[1]);
    QApplication::processEvents();
    EXPECT_EQ(logo().devicePixelRatio(), 2.0);
    EXPECT_EQ(logo().size(), logoPoints * 2);
    EXPECT_EQ(logo().deviceIndependentSize().toSize(), logoPoints);
    EXPECT_EQ(product().size(), productPoints * 2);
    // A picture shown after the move is drawn for the new screen too.
    controller->about();
    EXPECT_EQ(window->about().imgAboutImg->pixmap().devicePixelRatio(), 2.0);

    window->windowHandle()->setScreen(screens[0]);
    QApplication::processEvents();
    EXPECT_EQ(logo().size(), logoPoints);
}

TEST(DrawnPictures, AtRatioTwoTheyHaveTwiceThePixelsForTheSamePoints) {
    ensureQtApplication();
    const QPixmap once = app::renderImage(app::imageResourceFor("bg_velmar_mac.png"), {200, 56});
    const QPixmap twice = app::renderImage(app::imageResourceFor("bg_velmar_mac.png"), {200, 56}, 2.0);
    ASSERT_FALSE(once.isNull());
    EXPECT_EQ(twice.size(), once.size() * 2);
    EXPECT_EQ(twice.devicePixelRatio(), 2.0);
    EXPECT_EQ(twice.deviceIndependentSize(), once.deviceIndependentSize());
    // Icons (the start picture, the bottom buttons) are drawn for the ratio they are asked at.
    const QIcon home = app::drawnIcon(app::imageResourceFor("velmar_home_mac.png"));
    const QPixmap homeOnce = home.pixmap(QSize(260, 260), 1.0);
    const QPixmap homeTwice = home.pixmap(QSize(260, 260), 2.0);
    ASSERT_FALSE(homeOnce.isNull());
    EXPECT_EQ(homeTwice.size(), homeOnce.size() * 2);
    EXPECT_EQ(homeTwice.deviceIndependentSize(), homeOnce.deviceIndependentSize());
}

}  // namespace
}  // namespace shell_test
