// The yardstick of the start-up benchmark: a bare Qt Widgets program with one main window of the
// given size and nothing else. scripts/startup_bench.py starts it beside the manager.
#include <QApplication>
#include <QMainWindow>
#include <cstdlib>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle("bare window");
    const int width = argc > 2 ? std::atoi(argv[1]) : 800;
    const int height = argc > 2 ? std::atoi(argv[2]) : 600;
    window.setFixedSize(width, height);
    window.show();
    return app.exec();
}
