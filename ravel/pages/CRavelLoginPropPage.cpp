#include "ravel/pages/CRavelLoginPropPage.h"

#include <QComboBox>
#include <QLineEdit>

CRavelLoginPropPage::CRavelLoginPropPage(QWidget *parent)
    : RavelPropertyPage(QStringLiteral("Login Info"), Exchange::Immediate, parent)
{
    setObjectName(QStringLiteral("CRavelLoginPropPage"));
    addLabel(QStringLiteral("Remote&Host:"), {40, 12, 55, 8},
             addText(QStringLiteral("RemoteHost"), {100, 10, 140, 12}));
    addLabel(QStringLiteral("&UserName:"), {40, 30, 55, 8},
             addText(QStringLiteral("UserName"), {100, 28, 140, 12}));
    addLabel(QStringLiteral("PassWor&d:"), {40, 48, 55, 8},
             addPassword(QStringLiteral("PassWord"), {100, 46, 140, 12}));
    addLabel(QStringLiteral("A&ccount:"), {40, 66, 55, 8},
             addText(QStringLiteral("Account"), {100, 64, 140, 12}));
    addLabel(QStringLiteral("&Security:"), {40, 84, 55, 8},
             addList(QStringLiteral("Security"),
                     {QStringLiteral("0 - Plain FTP"), QStringLiteral("1 - TLS if available"),
                      QStringLiteral("2 - TLS required")},
                     {100, 82, 140, 12}));
}
