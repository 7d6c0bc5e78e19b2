#pragma once

// Window geometry is stated in twips (1440 per logical inch), converted with the
// screen's logical DPI so sizes and animations keep their proportions on any screen.
namespace Twips {
int toPixelsX(int twips);
int toPixelsY(int twips);
int fromPixelsX(int pixels);
int fromPixelsY(int pixels);
} // namespace Twips
