// What a start builds: the start page's view and the window, nothing else; a page's view comes
// with its first showing, a sheet with its first use, and the work queued after the first paint
// runs once the window has painted.
#include <QCoreApplication>
#include <QDialog>
#include <array>
#include <chrono>
#include <thread>

#include "ShellFixture.h"

namespace shell_test {
namespace {

constexpr int32_t kLazyModel = 0x6838;

class LazyViewsTest : public ShellTest {
  protected:
    // The modes 3 to 9 whose pages have built their views (the recording stand-ins the factory
    // made; the manager-update page is reached only through an accessor that builds it).
    std::vector<int32_t> loadedModes() const {
        const std::array<const app::DetailViewController*, 7> byMode = {
            pages.selection, pages.recognition, pages.update, pages.restore, pages.settings, pages.fm, pages.speedDial};
        std::vector<int32_t> modes;
        for (size_t i = 0; i < byMode.size(); ++i)
            if (byMode[i]->isViewLoaded()) modes.push_back(static_cast<int32_t>(i) + 3);
        return modes;
    }
    size_t sheets() const { return window->findChildren<QDialog*>().size(); }
};

TEST_F(LazyViewsTest, AStartBuildsTheStartPageAloneAndEachPageOnItsFirstShowing) {
    EXPECT_TRUE(loadedModes().empty());
    start();
    EXPECT_EQ(loadedModes(), (std::vector<int32_t>{3}));

    controller->setDeviceTarget(kLazyModel);
    controller->setDeviceRecognitionWithStatus(true, nullptr, 0);
    EXPECT_EQ(controller->mode(), 4);
    EXPECT_EQ(loadedModes(), (std::vector<int32_t>{3, 4}));

    // The shutdown asks every page to stop its threads without building any view.
    EXPECT_TRUE(controller->stopPageThreads(std::chrono::milliseconds(100)));
    EXPECT_EQ(loadedModes(), (std::vector<int32_t>{3, 4}));
}

TEST_F(LazyViewsTest, TheStartDrawsTheBannerAndTheButtonPicturesFromTheProgramsOwnImages) {
    start();
    EXPECT_EQ(window->imgManagerImg->pixmap().size(), QSize(200, 56));
    EXPECT_FALSE(window->btnAbout->icon().isNull());
    EXPECT_FALSE(window->btnClose->icon().isNull());
}

TEST_F(LazyViewsTest, TheSheetsAreBuiltOnFirstUseAndConnectedThen) {
    start();
    EXPECT_EQ(sheets(), 0u);
    controller->about(nullptr);
    ASSERT_EQ(sheets(), 1u);
    EXPECT_TRUE(window->about().sheetAbout->isVisible());
    window->about().btnAboutOK->click();  // connected as it was built
    EXPECT_FALSE(window->about().sheetAbout->isVisible());
    window->messageBox();
    window->languageSheet();
    EXPECT_EQ(sheets(), 3u);
}

TEST_F(LazyViewsTest, WorkAfterTheFirstPaintWaitsForAShownWindowToPaint) {
    int runs = 0;
    window->afterFirstPaint([&] { ++runs; });
    EXPECT_EQ(runs, 1) << "a window that is not shown runs it at once";

    window->show();
    window->afterFirstPaint([&] { ++runs; });
    EXPECT_EQ(runs, 1) << "a shown window that has not painted keeps it";
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (runs < 2 && std::chrono::steady_clock::now() < end) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    EXPECT_EQ(runs, 2);
    window->afterFirstPaint([&] { ++runs; });
    EXPECT_EQ(runs, 3) << "after the first paint it runs at once";
    window->hide();
}

}  // namespace
}  // namespace shell_test
