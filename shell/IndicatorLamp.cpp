#include "shell/IndicatorLamp.h"

#include <QPainter>

IndicatorLamp::IndicatorLamp(QWidget *parent) : QWidget(parent) {}

void IndicatorLamp::setOn(bool on)
{
    if (on == m_on)
        return;
    m_on = on;
    update();
}

QColor IndicatorLamp::color() const
{
    return m_on ? QColor(0, 255, 0) : QColor(0, 0, 0);
}

void IndicatorLamp::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), color());
    p.setPen(palette().color(QPalette::Mid));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}
