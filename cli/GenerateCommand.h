#pragma once

#include <QStringList>

// lumora generate --project FILE.lwp --layout WORD --output PATH [--autospace on|off]
int runGenerateCommand(const QStringList &arguments);
