#include "shell/HelpPage.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

QString HelpPage::expectedPath()
{
    return QDir::cleanPath(QCoreApplication::applicationDirPath() +
                           QStringLiteral("/../share/lumora/help/index.html"));
}

QUrl HelpPage::url()
{
    const QFileInfo page(expectedPath());
    if (page.isFile())
        return QUrl::fromLocalFile(page.canonicalFilePath());
    return {};
}
