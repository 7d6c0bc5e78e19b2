#pragma once

#include "ravel/pages/RavelPropertyPage.h"

#include <QList>

// "Firewall": whether and how to log in through a proxy. The proxy's own fields are usable
// only while the proxy is in use.
class CRavelProxyPropPage : public RavelPropertyPage
{
    Q_OBJECT

public:
    explicit CRavelProxyPropPage(QWidget *parent = nullptr);

protected:
    void exchanged() override;

private:
    QCheckBox *m_useProxy;
    QList<QWidget *> m_proxyWidgets;
};
