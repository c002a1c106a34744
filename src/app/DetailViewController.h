// Base of every page: the view that the main window's content box shows, and the back pointer to
// the application controller, which outlives every page.
#pragma once

#include <QPointer>
#include <QWidget>
#include <atomic>
#include <chrono>

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

    // Shutdown, in two rounds over all pages so that their threads end side by side: ask every
    // thread of the page to end its waits early and return...
    virtual void stopThreads() {}
    // ...then wait for them until the deadline; true when none is left running.
    virtual bool joinThreadsBy(std::chrono::steady_clock::time_point deadline) {
        (void)deadline;
        return true;
    }

    ORVABluetoothManagerAppController* appController() const { return appController_.load(); }
    void setAppController(ORVABluetoothManagerAppController* controller) { appController_.store(controller); }

    // The page's view; the page owns it, the content box only shows it. Like a nib's view it is
    // built on first use: the controller asks for it when it first shows the page, so a start
    // pays for the start page's controls alone.
    QWidget* view() const;
    bool isViewLoaded() const { return loaded_; }
    void loadViewIfNeeded() const { view(); }

protected:
    // Builds the page's controls into view(); runs once, on the first use of view(). A page
    // without it builds its controls in its constructor.
    virtual void loadView() {}
    // A control of the page, its view built first: what the page's outlet accessors return.
    template <class Control>
    Control* loaded(Control* const& control) const {
        loadViewIfNeeded();
        return control;
    }

private:
    std::atomic<ORVABluetoothManagerAppController*> appController_{nullptr};
    QPointer<QWidget> view_;
    bool loaded_ = false;
};

}  // namespace app
