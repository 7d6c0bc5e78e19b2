#include "ravel/pages/CRavelSettingsPropPage.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QSpinBox>

CRavelSettingsPropPage::CRavelSettingsPropPage(QWidget *parent)
    : RavelPropertyPage(QStringLiteral("FTP Settings"), Exchange::OnApply, parent)
{
    setObjectName(QStringLiteral("CRavelSettingsPropPage"));
    addLabel(QStringLiteral("P&ort: "), {40, 12, 55, 8},
             addNumber(QStringLiteral("Port"), {100, 10, 50, 12}, 0, 32768, true));
    addLabel(QStringLiteral("&Timeout:"), {40, 30, 55, 8},
             addNumber(QStringLiteral("TimeOut"), {100, 28, 50, 12}, 5, 100, true));
    addCheck(QStringLiteral("AsyncMode"), QStringLiteral("AsyncMode"), {100, 46, 80, 10});
    addLabel(QStringLiteral("InitDir:"), {40, 66, 55, 8},
             addText(QStringLiteral("InitDir"), {100, 64, 140, 12}, 500));
}
