#include "shell/WindowHeightAnimator.h"

#include "core/Twips.h"
#include "shell/FramePacer.h"

#include <QWidget>

namespace {
constexpr int ResizeFrameMs = 5;
} // namespace

WindowHeightAnimator::WindowHeightAnimator(QWidget &window, int widthTwips, int collapsedTwips,
                                           int expandedTwips)
    : m_window(window), m_width(widthTwips), m_collapsedHeight(collapsedTwips),
      m_expandedHeight(expandedTwips)
{
}

void WindowHeightAnimator::expand()
{
    m_expanded = true;
    settle(m_expandedHeight);
}

void WindowHeightAnimator::collapse()
{
    m_expanded = false;
    settle(m_collapsedHeight);
}

void WindowHeightAnimator::settle(int twips)
{
    if (animateTo(twips))
        setHeight(twips);
}

bool WindowHeightAnimator::animateTo(int targetTwips)
{
    const int generation = ++m_generation;
    const int from = Twips::fromPixelsY(m_window.height());
    const int step = targetTwips < from ? -StepTwips : StepTwips;
    for (int h = from; step > 0 ? h <= targetTwips : h >= targetTwips; h += step) {
        setHeight(h);
        FramePacer::nextFrame(ResizeFrameMs);
        // A resize started meanwhile (a step command during the animation) has the last word.
        if (generation != m_generation)
            return false;
    }
    return true;
}

bool WindowHeightAnimator::animateBy(int deltaTwips)
{
    return animateTo(Twips::fromPixelsY(m_window.height()) + deltaTwips);
}

void WindowHeightAnimator::setHeight(int twips)
{
    m_window.setFixedSize(Twips::toPixelsX(m_width), Twips::toPixelsY(twips));
}
