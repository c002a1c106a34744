// The update and restore pages against a loopback firmware server, for the download and offer
// tests: lists served, the save panel answered, and the download's end waited for on the main
// queue (the transfer's callbacks arrive there).
#pragma once

#include <QFileDialog>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "UpdatePageFixture.h"
#include "tests_support/LoopbackServer.h"

namespace update_page_test {

class DownloadFixture : public UpdatePageFixture {
  protected:
    static constexpr int32_t kModel = 0x6838;
    // Short enough for the stalls, long enough for the loopback's first bytes on a busy machine.
    static constexpr std::chrono::milliseconds kIdleLimit{300};

    DownloadFixture() { setenv("VELMAR_SERVER_BASE", server.base().c_str(), 1); }

    // The update page after its list read, the headset on major.minor.
    PageWithBackup& updatePage(const std::string& list, int32_t major, int32_t minor) {
        server.put("Firmware", list);
        controller->data().setDeviceVersionMajor(major, minor);
        PageWithBackup& page = enter(5, kModel);
        page.setDownloadIdleLimit(kIdleLimit);
        finishListRead(page);
        return page;
    }
    // The restore page with a usable backup of 1.2 and the revision file listed.
    PageWithBackup& restorePage(const std::string& file) {
        server.put("Revisions", "AIROHAVELMAR:v1.2:" + file + "\r\n");
        device::ORVABluetoothDeviceData backup;
        backup.setDeviceVersionMajor(1, 2);
        pages.restore->backup = backup;
        PageWithBackup& page = enter(6, kModel);
        page.setDownloadIdleLimit(kIdleLimit);
        finishListRead(page);
        return page;
    }
    QFileDialog* savePanel() {
        platform::drainMainQueue();
        for (QFileDialog* d : window->findChildren<QFileDialog*>())
            if (d->isVisible() && d->acceptMode() == QFileDialog::AcceptSave) return d;
        return nullptr;
    }
    // OK in the save panel with path as the chosen file (an existing one is replaced without the
    // panel's question, as after the user's yes).
    void acceptSave(const std::string& path) {
        QFileDialog* panel = savePanel();
        ASSERT_NE(panel, nullptr);
        panel->setOption(QFileDialog::DontConfirmOverwrite);
        panel->selectFile(QString::fromStdString(path));
        QMetaObject::invokeMethod(panel, "accept");
        platform::drainMainQueue();
    }
    // Runs the main queue until the download has ended (bounded).
    bool downloadEnded(PageWithBackup& page) {
        for (int i = 0; i < 4000 && page.downloadRunning(); ++i) {
            if (platform::drainMainQueue() == 0) std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
        platform::drainMainQueue();
        return !page.downloadRunning();
    }
    bool workerEnded(PageWithBackup& page) {
        return page.joinThreadsBy(std::chrono::steady_clock::now() + std::chrono::seconds(20)) &&
               page.fields().updateFinished;
    }
    static std::optional<std::string> contents(const std::string& path) {
        if (!std::filesystem::is_regular_file(path)) return std::nullopt;
        std::ifstream in(path, std::ios::binary);
        std::ostringstream out;
        out << in.rdbuf();
        return out.str();
    }

    test_support::LoopbackServer server;
};

}  // namespace update_page_test
