#pragma once

#include <QStringList>

// lumora upload --project FILE.lwp --host HOST [--port N] [--user U] [--password-file F]
//   [--path P] [--page PATH.html] [--passive] [--autospace on|off] [--timeout S]
int runUploadCommand(const QStringList &arguments);
