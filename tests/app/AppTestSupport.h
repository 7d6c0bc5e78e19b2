#pragma once

#include "shell/FramePacer.h"

#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <functional>

// Runs the action on the next modal dialog as soon as it shows, so a test can answer
// a dialog that the code under test runs with exec().
inline void onNextModal(std::function<void(QDialog *)> action)
{
    // Owned by the application, so a dialog that never comes leaves nothing behind.
    auto *poll = new QTimer(qApp);
    poll->setInterval(5);
    QObject::connect(poll, &QTimer::timeout, [poll, action] {
        if (auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget())) {
            poll->stop();
            poll->deleteLater();
            action(dialog);
        }
    });
    poll->start();
}

template <typename T> T *child(const QObject *parent, const char *name)
{
    return parent->findChild<T *>(QString::fromLatin1(name));
}

// Animations run instantly; the offscreen platform's note on every fixed-size
// change is dropped so that real warnings stand out.
inline void quietAnimations()
{
    FramePacer::setInstant(true);
    static QtMessageHandler previous = nullptr;
    previous = qInstallMessageHandler(
        [](QtMsgType type, const QMessageLogContext &context, const QString &text) {
            if (!text.contains(QLatin1String("propagateSizeHints")))
                previous(type, context, text);
        });
}
