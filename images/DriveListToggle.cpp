#include "DriveListToggle.h"

#include "Twips.h"

#include <QAbstractButton>
#include <QWidget>

const QString DriveListToggle::ShowCaption = QStringLiteral("Display Hard Drive List Box");
const QString DriveListToggle::HideCaption = QStringLiteral("Hide Hard Drive List Box");

namespace {
constexpr int Steps = DriveListToggle::DistanceTwips / DriveListToggle::StepTwips;
}

DriveListToggle::DriveListToggle(QAbstractButton *button, QWidget *panel, QWidget *window,
                                 QObject *parent)
    : QObject(parent), m_button(button), m_panel(panel), m_window(window)
{
    m_timer.setInterval(8);
    connect(&m_timer, &QTimer::timeout, this, &DriveListToggle::step);
    m_button->setText(isShown() ? HideCaption : ShowCaption);
}

bool DriveListToggle::isShown() const
{
    return !m_panel->isHidden();
}

void DriveListToggle::hidePanel()
{
    if (isShown())
        toggle();
}

void DriveListToggle::toggle()
{
    if (isMoving())
        return;
    m_button->setEnabled(false);
    m_startHeight = m_window->height();
    m_direction = isShown() ? -1 : 1;
    if (m_direction > 0)
        m_panel->show();
    m_step = 0;
    m_timer.start();
}

void DriveListToggle::step()
{
    ++m_step;
    const int height = m_startHeight + m_direction * Twips::toPixelsY(m_step * StepTwips, m_window);
    m_window->resize(m_window->width(), height);
    if (m_step < Steps)
        return;
    m_timer.stop();
    if (m_direction < 0)
        m_panel->hide();
    m_button->setText(isShown() ? HideCaption : ShowCaption);
    if (m_focusAfter)
        m_focusAfter->setFocus();
    m_button->setEnabled(true);
    emit finished();
}
