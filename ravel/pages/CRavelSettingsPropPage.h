#pragma once

#include "ravel/pages/RavelPropertyPage.h"

// "FTP Settings": port, time-out, call mode and start directory. Its values reach the
// component only when the frame applies the pages: they run jobs on the worker.
class CRavelSettingsPropPage : public RavelPropertyPage
{
    Q_OBJECT

public:
    explicit CRavelSettingsPropPage(QWidget *parent = nullptr);
};
