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

    QLabel* tfInstruction() const { return loaded(tfInstruction_); }
    QPushButton* btnYes() const { return loaded(btnYes_); }
    QPushButton* btnNo() const { return loaded(btnNo_); }
    QPushButton* btnReleaseNotes() const { return loaded(btnReleaseNotes_); }

  protected:
    void loadView() override;

  private:
    QLabel* tfInstruction_ = nullptr;
    QPushButton* btnYes_ = nullptr;
    QPushButton* btnNo_ = nullptr;
    QPushButton* btnReleaseNotes_ = nullptr;
    std::function<void(int)> endProcess_;
};

}  // namespace app
