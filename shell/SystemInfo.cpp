#include "shell/SystemInfo.h"

#include <QStandardPaths>

const QStringList &SystemInfo::candidates()
{
    static const QStringList tools = {QStringLiteral("hardinfo2"),
                                      QStringLiteral("hardinfo"),
                                      QStringLiteral("kinfocenter"),
                                      QStringLiteral("gnome-system-monitor"),
                                      QStringLiteral("plasma-systemmonitor"),
                                      QStringLiteral("xfce4-taskmanager"),
                                      QStringLiteral("lxtask")};
    return tools;
}

QString SystemInfo::findTool()
{
    for (const QString &tool : candidates()) {
        const QString path = QStandardPaths::findExecutable(tool);
        if (!path.isEmpty())
            return path;
    }
    return {};
}
