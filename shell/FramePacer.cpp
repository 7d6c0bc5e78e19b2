#include "shell/FramePacer.h"

#include <QEventLoop>
#include <QTimer>

namespace {
bool instant = false;
}

namespace FramePacer {
void setInstant(bool on)
{
    instant = on;
}

bool isInstant()
{
    return instant;
}

void nextFrame(int milliseconds)
{
    if (instant)
        return;
    QEventLoop loop;
    QTimer::singleShot(milliseconds, Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec();
}
} // namespace FramePacer
