#include <QApplication>
#include <QLabel>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QLabel label(QObject::tr("VELMAR Helmets Device Manager\n\nUpdates firmware and settings of VELMAR Bluetooth helmet "
                             "headsets connected by USB."));
    label.setWindowTitle("VELMAR Helmets Device Manager");
    label.setMargin(24);
    label.show();
    return app.exec();
}
