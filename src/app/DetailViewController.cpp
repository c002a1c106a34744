#include "app/DetailViewController.h"

namespace app {

DetailViewController::DetailViewController() : view_(new QWidget) {}

DetailViewController::~DetailViewController() { delete view_.data(); }

}  // namespace app
