#pragma once

// Animations advance a frame at a time and wait between frames in a local event
// loop, so the window repaints and other commands can run without any spinning.
namespace FramePacer {
// Tests run animations instantly: frames follow each other without waiting, and
// pending events are handled after the animation.
void setInstant(bool instant);
bool isInstant();
// Waits one frame of the given length while the event loop runs.
void nextFrame(int milliseconds);
} // namespace FramePacer
