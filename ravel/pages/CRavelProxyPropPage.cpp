#include "ravel/pages/CRavelProxyPropPage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>

CRavelProxyPropPage::CRavelProxyPropPage(QWidget *parent)
    : RavelPropertyPage(QStringLiteral("Firewall"), Exchange::Immediate, parent)
{
    setObjectName(QStringLiteral("CRavelProxyPropPage"));
    m_useProxy = addCheck(QStringLiteral("UseProxy"), QStringLiteral("Pro&xyUse"), {40, 8, 60, 10});
    addCheck(QStringLiteral("Passive"), QStringLiteral("Pa&ssive"), {110, 8, 60, 10});
    auto *group = new QGroupBox(QStringLiteral("Firewall Information"), this);
    group->setGeometry(units().rect(40, 20, 203, 86));

    struct Row
    {
        QString label;
        QWidget *field;
    };
    const Row rows[] = {
        {QStringLiteral("ProxyPo&rt:"),
         addNumber(QStringLiteral("ProxyPort"), {106, 32, 40, 12}, 0, 65535, false)},
        {QStringLiteral("ProxyType:"),
         addList(QStringLiteral("ProxyType"),
                 {QStringLiteral("0 - SITE Hostname"), QStringLiteral("1 - Proxy OPEN"),
                  QStringLiteral("2 - USER After Logon"), QStringLiteral("3 - USER Without Logon")},
                 {106, 46, 120, 12})},
        {QStringLiteral("Proxy&UserID:"),
         addText(QStringLiteral("ProxyUserID"), {106, 60, 131, 12}, 50)},
        {QStringLiteral("&ProxyPassWd:"),
         addPassword(QStringLiteral("ProxyPassWd"), {106, 74, 131, 12}, 50)},
        {QStringLiteral("Proxy&Host:"),
         addText(QStringLiteral("ProxyHost"), {106, 88, 131, 12}, 100)},
    };
    int y = 34;
    for (const Row &row : rows) {
        m_proxyWidgets << row.field << addLabel(row.label, {46, y, 58, 8}, row.field);
        y += 14;
    }
}

void CRavelProxyPropPage::exchanged()
{
    for (QWidget *widget : std::as_const(m_proxyWidgets))
        widget->setEnabled(m_useProxy->isChecked());
}
