// Mode 2: offers a newer version of the program that the version check found.
#pragma once

#include "app/DetailViewController.h"

namespace app {

class ManagerUpdateViewController : public DetailViewController {
public:
    virtual void initializeObject() {}
};

}  // namespace app
