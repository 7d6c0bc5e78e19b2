#include "shell/ColorSwatch.h"

#include <QPainter>

ColorSwatch::ColorSwatch(QWidget *parent) : QWidget(parent)
{
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void ColorSwatch::setColor(const QColor &color)
{
    m_color = color;
    update();
}

QSize ColorSwatch::sizeHint() const
{
    return {18, 18};
}

void ColorSwatch::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), m_color);
    p.setPen(palette().color(QPalette::Dark));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}
