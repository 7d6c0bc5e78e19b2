#pragma once

#include <QStringList>

// lumora upload --project FILE.lwp --host HOST [options]: `lumora upload --help` lists them.
int runUploadCommand(const QStringList &arguments);
