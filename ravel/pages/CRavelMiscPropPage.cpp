#include "ravel/pages/CRavelMiscPropPage.h"

#include <QGroupBox>
#include <QLineEdit>

CRavelMiscPropPage::CRavelMiscPropPage(QWidget *parent)
    : RavelPropertyPage(QStringLiteral("File Settings"), Exchange::Immediate, parent)
{
    setObjectName(QStringLiteral("CRavelMiscPropPage"));
    int y = 6;
    for (const char *name : {"VerboseMode", "LongDirs", "AppendToFile", "LogToFile"}) {
        addCheck(QLatin1String(name), QLatin1String(name), {40, y, 75, 10});
        y += 12;
    }
    auto *group = new QGroupBox(QStringLiteral("File Type"), this);
    group->setGeometry(units().rect(125, 4, 118, 46));
    addRadios(QStringLiteral("FileType"),
              {QStringLiteral("ASCII xFer"), QStringLiteral("Binary xFer")},
              {{133, 17, 100, 10}, {133, 32, 100, 10}});
    y = 58;
    for (const char *name : {"LogFileName", "RemoteFile", "LocalFile"}) {
        addLabel(QLatin1String(name) + QLatin1Char(':'), {7, y + 2, 59, 8},
                 addText(QLatin1String(name), {68, y, 175, 12}));
        y += 16;
    }
}
