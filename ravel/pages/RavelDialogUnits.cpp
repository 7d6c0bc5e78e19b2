#include "ravel/pages/RavelDialogUnits.h"

#include <QFont>
#include <QFontMetrics>

RavelDialogUnits::RavelDialogUnits(const QFont &font)
{
    const QFontMetrics metrics(font);
    m_baseX = metrics.averageCharWidth();
    m_baseY = metrics.height();
}

int RavelDialogUnits::x(int units) const
{
    return (units * m_baseX + 2) / 4;
}

int RavelDialogUnits::y(int units) const
{
    return (units * m_baseY + 4) / 8;
}
