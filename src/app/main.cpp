#include <QApplication>
#include <QLabel>

#include "app/AppTexts.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QString title = QString::fromStdString(app::AppTexts::qelm_title({}, 0));
    QLabel label(title + QObject::tr("\n\nUpdates firmware and settings of VELMAR Bluetooth helmet "
                                     "headsets connected by USB."));
    label.setWindowTitle(title);
    label.setMargin(24);
    label.show();
    return app.exec();
}
