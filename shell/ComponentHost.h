#pragma once

#include "ravel/CRavelCtrl.h"

#include <memory>

class Dialogs;

// How the window program gets its FTP component: as any host does, by ProgID through the
// per-user registry and the library's class factory.
namespace ComponentHost {
// Registers this user first when the registry does not point at the linked library (a fresh
// user, a moved build). When creation still fails the user is told why and the linked-in
// class is used, so uploads keep working.
std::unique_ptr<CRavelCtrl> create(Dialogs &dialogs);
} // namespace ComponentHost
