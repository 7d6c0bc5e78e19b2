#include "HelpPage.h"

#include <QCoreApplication>
#include <QFileInfo>

QUrl HelpPage::url()
{
    const QString relative = QStringLiteral("/../share/lumora/help/index.html");
    const QFileInfo page(QCoreApplication::applicationDirPath() + relative);
    if (page.isFile())
        return QUrl::fromLocalFile(page.canonicalFilePath());
    return {};
}
