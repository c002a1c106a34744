#include "app/DetailViewController.h"

namespace app {

DetailViewController::DetailViewController() : view_(new QWidget) {}

DetailViewController::~DetailViewController() { delete view_.data(); }

QWidget* DetailViewController::view() const {
    if (!loaded_) {
        // Built once, whoever asks first; what it builds is the page's, hence the cast.
        auto* self = const_cast<DetailViewController*>(this);
        self->loaded_ = true;
        self->loadView();
    }
    return view_;
}

}  // namespace app
