// Base of every page: the view that the main window's content box shows, and the back pointer to
// the application controller, which outlives every page.
#pragma once

#include <QPointer>
#include <QWidget>
#include <atomic>

namespace app {

class ORVABluetoothManagerAppController;

class DetailViewController {
public:
    DetailViewController();
    virtual ~DetailViewController();
    DetailViewController(const DetailViewController&) = delete;
    DetailViewController& operator=(const DetailViewController&) = delete;

    // Enable, show and title the page's own controls for the controller's state and language.
    virtual void setControls() {}
    // Title the page's controls with their keyboard shortcuts, or their texts.
    virtual void setShortcuts() {}

    ORVABluetoothManagerAppController* appController() const { return appController_.load(); }
    void setAppController(ORVABluetoothManagerAppController* controller) { appController_.store(controller); }

    // The page's view; the page owns it, the content box only shows it.
    QWidget* view() const { return view_; }

private:
    std::atomic<ORVABluetoothManagerAppController*> appController_{nullptr};
    QPointer<QWidget> view_;
};

}  // namespace app
