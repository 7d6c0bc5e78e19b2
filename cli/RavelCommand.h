#pragma once

#include <QStringList>

// lumora ravel: a scripting host for the Ravel component, statements on standard input.
int runRavelCommand(const QStringList &arguments);
