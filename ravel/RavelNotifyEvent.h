#pragma once

#include "ravel/RavelMessages.h"

#include <QEvent>
#include <QString>

// A notification posted to the component by its worker: a number from RavelMessages and its
// two words, texts as copies. The worker's post counter (RavelState::posts) is the hand-off.
class RavelNotifyEvent : public QEvent
{
public:
    RavelNotifyEvent(RavelMessages::Notification number, qint64 first, qint64 second,
                     QString text = {})
        : QEvent(RavelMessages::eventType(number)), first(first), second(second),
          text(std::move(text))
    {
    }

    const qint64 first;
    const qint64 second;
    const QString text;
};
