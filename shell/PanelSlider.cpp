#include "shell/PanelSlider.h"

#include "core/Twips.h"
#include "shell/FramePacer.h"

#include <QWidget>
#include <algorithm>

namespace {
constexpr int SlideStep = 20;
constexpr int SlideFrameMs = 1;
} // namespace

PanelSlider::PanelSlider(int topPixels, QObject *parent) : QObject(parent), m_top(topPixels) {}

void PanelSlider::add(QWidget *panel)
{
    const bool first = m_panels.isEmpty();
    m_panels << panel;
    place(panel, first ? 0 : HiddenX);
    panel->setHidden(!first);
}

void PanelSlider::place(QWidget *panel, int xTwips)
{
    panel->move(Twips::toPixelsX(xTwips), m_top);
}

void PanelSlider::bringIn(QWidget *incoming)
{
    const auto showing = std::find_if(m_panels.cbegin(), m_panels.cend(),
                                      [](const QWidget *panel) { return !panel->isHidden(); });
    if (showing == m_panels.cend())
        return;
    QWidget *outgoing = *showing;
    emit sliding(true);
    if (incoming->isHidden()) {
        incoming->show();
        int incomingX = HiddenX;
        for (int x = 0; x <= HiddenX; x += SlideStep) {
            place(outgoing, x);
            incomingX -= SlideStep;
            place(incoming, incomingX);
            FramePacer::nextFrame(SlideFrameMs);
        }
        place(incoming, 0);
        place(outgoing, HiddenX);
        outgoing->hide();
    }
    emit sliding(false);
}
