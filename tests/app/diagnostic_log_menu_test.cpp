// The diagnostic log's menu item: a save panel with the dated default name; OK writes the log
// where the user chose, any other answer writes nothing.
#include <QFileDialog>
#include <QFileInfo>
#include <QRegularExpression>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "ShellFixture.h"

namespace shell_test {
namespace {

class DiagnosticLogMenuTest : public ShellTest {
  protected:
    QFileDialog* panel() {
        for (QFileDialog* d : window->findChildren<QFileDialog*>())
            if (d->isVisible()) return d;
        return nullptr;
    }
    test_support::TempDir folder;
};

std::string contents(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

TEST_F(DiagnosticLogMenuTest, SavePanelOffersTheDatedNameAndOKWritesTheLogThere) {
    start();
    controller->setStatus("Status for the log", false);
    window->menuItemDiagnosticLog->trigger();
    QFileDialog* p = panel();
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->acceptMode(), QFileDialog::AcceptSave);
    ASSERT_FALSE(p->selectedFiles().isEmpty());
    EXPECT_TRUE(QRegularExpression("^\\d{14}_DiagnosticLog\\.qelmdlog$")
                    .match(QFileInfo(p->selectedFiles().front()).fileName())
                    .hasMatch())
        << p->selectedFiles().front().toStdString();

    const std::string path = folder.path() + "/chosen.qelmdlog";
    p->selectFile(QString::fromStdString(path));
    static_cast<QDialog*>(p)->accept();
    const std::string log = contents(path);
    EXPECT_TRUE(
        log.starts_with("[Manager Information]\nStatus: Status for the log\nVersion: 1.0\n"
                        "[Device Information]\nRecognized: 0\nTarget Device: 0000\nUSB Status: 0000\n"))
        << log.substr(0, 300);
    EXPECT_NE(log.find("\n[System Profile - Hardware / Bluetooth / USB]\n"), std::string::npos);
}

TEST_F(DiagnosticLogMenuTest, CancelWritesNothingAndTheItemWaitsForAnOperation) {
    start();
    window->menuItemDiagnosticLog->trigger();
    QFileDialog* p = panel();
    ASSERT_NE(p, nullptr);
    const std::string path = folder.path() + "/cancelled.qelmdlog";
    p->selectFile(QString::fromStdString(path));
    p->reject();
    EXPECT_FALSE(std::filesystem::exists(path));

    controller->setOnProcessing(true);
    window->menuItemDiagnosticLog->trigger();
    EXPECT_EQ(panel(), nullptr);
}

}  // namespace
}  // namespace shell_test
