#pragma once

#include <QString>
#include <QStringList>

// Finds and starts the machine's system-information tool.
namespace SystemInfo {
// Known tools, most informative first.
const QStringList &candidates();
// The first candidate on PATH, or empty.
QString findTool();
} // namespace SystemInfo
