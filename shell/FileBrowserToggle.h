#pragma once

#include "shell/WindowHeightAnimator.h"

class QPushButton;
class QWidget;

// The file browser below the step panel: its button grows the window to show it and
// shrinks the window to hide it again.
class FileBrowserToggle
{
    static constexpr int Growth = 2505;

public:
    // The window grows by whole frames only, so the browser gets this much of its growth.
    static constexpr int ShownHeight =
        Growth / WindowHeightAnimator::StepTwips * WindowHeightAnimator::StepTwips;

    // The focus goes to focusSink after each toggle.
    FileBrowserToggle(WindowHeightAnimator &height, QPushButton &button, QWidget &browser,
                      QWidget &focusSink);

    bool shown() const;
    void toggle();

private:
    WindowHeightAnimator &m_height;
    QPushButton &m_button;
    QWidget &m_browser;
    QWidget &m_focusSink;
};
