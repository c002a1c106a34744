// Mode 2: offers a newer version of the program that the version check found. Yes opens the
// download in the browser and ends the process at once; No goes on to the selection page.
#pragma once

#include <QLabel>
#include <QPushButton>
#include <functional>
#include <string>

#include "app/DetailViewController.h"

namespace app {

class ManagerUpdateViewController : public DetailViewController {
  public:
    ManagerUpdateViewController();

    virtual void initializeObject();
    void setControls() override;
    void setShortcuts() override;
    std::string stringInstruction() const;

    void okUpdate(QObject* sender = nullptr);
    void cancelUpdate(QObject* sender = nullptr);
    void releaseNotes(QObject* sender = nullptr);

    // How Yes ends the process (tests watch it instead of ending).
    void setEndProcess(std::function<void(int)> endProcess) { endProcess_ = std::move(endProcess); }

    QLabel* tfInstruction() const { return tfInstruction_; }
    QPushButton* btnYes() const { return btnYes_; }
    QPushButton* btnNo() const { return btnNo_; }
    QPushButton* btnReleaseNotes() const { return btnReleaseNotes_; }

  private:
    QLabel* tfInstruction_;
    QPushButton* btnYes_;
    QPushButton* btnNo_;
    QPushButton* btnReleaseNotes_;
    std::function<void(int)> endProcess_;
};

}  // namespace app
