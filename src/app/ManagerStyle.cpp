#include "app/ManagerStyle.h"

#include "app/AppImages.h"

namespace app {

QIcon ManagerStyle::standardIcon(StandardPixmap standardIcon, const QStyleOption* option, const QWidget* widget) const {
    if (standardIcon == SP_ToolBarHorizontalExtensionButton) return drawnIcon(":/images/menu-extension.svg");
    return QProxyStyle::standardIcon(standardIcon, option, widget);
}

}  // namespace app
