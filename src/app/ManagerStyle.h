// The program's style: the desktop's own, except for the menu bar's overflow arrow.
#pragma once

#include <QProxyStyle>

namespace app {

// The menu bar builds its overflow button, with the style's standard arrow, as it is made; the
// desktop style finds that arrow through the icon theme and reads it with every image plugin
// loaded, all before the window first shows. The button shows only when the menus do not fit, so
// its arrow is our own picture, drawn when it is first painted.
class ManagerStyle : public QProxyStyle {
  public:
    ManagerStyle() = default;
    QIcon standardIcon(StandardPixmap standardIcon, const QStyleOption* option = nullptr,
                       const QWidget* widget = nullptr) const override;
};

}  // namespace app
