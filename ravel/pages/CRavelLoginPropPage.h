#pragma once

#include "ravel/pages/RavelPropertyPage.h"

// "Login Info": host, user name, password and account, written as they are typed.
class CRavelLoginPropPage : public RavelPropertyPage
{
    Q_OBJECT

public:
    explicit CRavelLoginPropPage(QWidget *parent = nullptr);
};
