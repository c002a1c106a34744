// The program's style draws the menu bar's overflow arrow from our own picture and leaves the
// other standard icons to the desktop style.
#include <gtest/gtest.h>

#include <QImage>

#include "ShellFixture.h"
#include "app/ManagerStyle.h"

namespace {

TEST(ManagerStyle, TheMenuBarsOverflowArrowIsOurPictureInEveryMode) {
    shell_test::ensureQtApplication();
    app::ManagerStyle style;
    const QIcon arrow = style.standardIcon(QStyle::SP_ToolBarHorizontalExtensionButton);
    ASSERT_FALSE(arrow.isNull());
    for (QIcon::Mode mode : {QIcon::Normal, QIcon::Disabled, QIcon::Active, QIcon::Selected}) {
        const QImage drawn = arrow.pixmap(QSize(16, 16), mode).toImage();
        ASSERT_EQ(drawn.size(), QSize(16, 16)) << mode;
        // Transparent round the chevrons, ink on them.
        EXPECT_EQ(qAlpha(drawn.pixel(0, 0)), 0) << mode;
        EXPECT_GT(qAlpha(drawn.pixel(7, 8)), 0) << mode;
    }
    EXPECT_FALSE(style.standardIcon(QStyle::SP_DialogOkButton).isNull());
}

}  // namespace
