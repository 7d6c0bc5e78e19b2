#include "core/Twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <cmath>

namespace {
constexpr double PerInch = 1440.0;

double dpiX()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? screen->logicalDotsPerInchX() : 96.0;
}

double dpiY()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? screen->logicalDotsPerInchY() : 96.0;
}
} // namespace

namespace Twips {
int toPixelsX(int twips)
{
    return int(std::lround(twips * dpiX() / PerInch));
}

int toPixelsY(int twips)
{
    return int(std::lround(twips * dpiY() / PerInch));
}

int fromPixelsX(int pixels)
{
    return int(std::lround(pixels * PerInch / dpiX()));
}

int fromPixelsY(int pixels)
{
    return int(std::lround(pixels * PerInch / dpiY()));
}
} // namespace Twips
