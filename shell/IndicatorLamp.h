#pragma once

#include <QWidget>

// A step's indicator light: a small box, black when off, green when on.
class IndicatorLamp : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(QColor color READ color)
public:
    explicit IndicatorLamp(QWidget *parent = nullptr);

    bool isOn() const { return m_on; }
    void setOn(bool on);
    QColor color() const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    bool m_on = false;
};
