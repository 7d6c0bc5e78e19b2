#pragma once

#include <QRect>
#include <QSize>

class QFont;

// Dialog units of a font: a quarter of its average character width across, an eighth of its
// height down, so that a page keeps its proportions at any font size.
class RavelDialogUnits
{
public:
    explicit RavelDialogUnits(const QFont &font);

    int x(int units) const;
    int y(int units) const;
    QSize size(int width, int height) const { return {x(width), y(height)}; }
    QRect rect(int left, int top, int width, int height) const
    {
        return {x(left), y(top), x(width), y(height)};
    }

private:
    int m_baseX;
    int m_baseY;
};
