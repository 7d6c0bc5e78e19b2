#pragma once

#include <QPaintDevice>
#include <cmath>

// Window measures are stated in twips (1440 an inch) so they keep their proportions on any
// screen; these turn them into the device's pixels.
namespace Twips {
inline int toPixelsX(int twips, const QPaintDevice *device)
{
    return int(std::lround(twips * device->logicalDpiX() / 1440.0));
}
inline int toPixelsY(int twips, const QPaintDevice *device)
{
    return int(std::lround(twips * device->logicalDpiY() / 1440.0));
}
} // namespace Twips
