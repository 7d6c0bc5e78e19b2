#include "dialogs/gui/KeyFilter.h"

#include <QKeyEvent>
#include <QWidget>

KeyFilter::KeyFilter(const QString &refused, QObject *parent) : QObject(parent), m_refused(refused)
{
}

void KeyFilter::install(const QString &refused, const QList<QWidget *> &widgets)
{
    for (QWidget *w : widgets)
        w->installEventFilter(new KeyFilter(refused, w));
}

bool KeyFilter::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        const QString typed = static_cast<QKeyEvent *>(event)->text();
        if (typed.size() == 1 && m_refused.contains(typed.front()))
            return true;
    }
    return QObject::eventFilter(watched, event);
}
