// The side panel's model name: a long name wraps over two lines or is elided at its end, never
// cut at both sides.
#include <QFontMetrics>
#include <QStringList>

#include "ShellFixture.h"

namespace shell_test {
namespace {

TEST_F(ShellTest, LongModelNamesWrapOrElideWithinThePanel) {
    struct Case {
        const char* name;
        int lines;
        bool elided;
    };
    const Case cases[] = {
        {"VELMAR LUVEN", 1, false},
        {"VELMAR LUVEN MESH COMMUNICATION SYSTEM WITH HD INTERCOM", 2, true},
        {"VELMAR LUVEN MESH COMMUNICATOR", 2, false},
        {"VELMARLUVENMESHCOMMUNICATIONSYSTEMWITHHDINTERCOM", 1, true},
    };
    QLabel* label = window->lblProduct;
    const QFontMetrics metrics(label->font());
    for (const Case& c : cases) {
        window->setProductName(c.name);
        const QStringList lines = label->text().split('\n');
        EXPECT_EQ(lines.size(), c.lines) << c.name;
        for (const QString& line : lines) EXPECT_LE(metrics.horizontalAdvance(line), label->width()) << c.name;
        EXPECT_EQ(label->text().contains(QChar(0x2026)), c.elided) << c.name;
        // The name starts as it does: nothing is cut at its beginning.
        EXPECT_TRUE(label->text().startsWith(QString(c.name).left(6))) << c.name;
        EXPECT_EQ(label->toolTip(), c.name);
    }
}

}  // namespace
}  // namespace shell_test
