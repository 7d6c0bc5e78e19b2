#pragma once

#include <QList>
#include <QObject>

class QWidget;

// The step panels share one place below the step buttons: one shows there at a time, the
// others wait hidden beyond the window's right edge. Choosing another slides it in from
// the right while the one showing slides out.
class PanelSlider : public QObject
{
    Q_OBJECT
public:
    // Where a hidden panel waits, in twips from the window's left edge.
    static constexpr int HiddenX = 6500;

    // topPixels: the panels' top edge.
    PanelSlider(int topPixels, QObject *parent);

    // A panel that waits hidden; the first one added shows at once.
    void add(QWidget *panel);
    // Slides the panel in, and the one showing out; nothing when it already shows.
    void bringIn(QWidget *panel);

signals:
    // While a slide runs: a step command must not start another inside it.
    void sliding(bool running);

private:
    void place(QWidget *panel, int xTwips);

    const int m_top;
    QList<QWidget *> m_panels;
};
