#pragma once

#include "ravel/pages/RavelPropertyPage.h"

// "File Settings": listing and logging switches, the file names and the transfer type.
class CRavelMiscPropPage : public RavelPropertyPage
{
    Q_OBJECT

public:
    explicit CRavelMiscPropPage(QWidget *parent = nullptr);
};
