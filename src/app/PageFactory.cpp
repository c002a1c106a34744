#include "app/ManagerUpdateViewController.h"
#include "app/PageProtocols.h"

namespace app {

std::unique_ptr<ManagerUpdateViewController> PageFactory::makeManagerUpdate() {
    return std::make_unique<ManagerUpdateViewController>();
}

}  // namespace app
