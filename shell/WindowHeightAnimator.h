#pragma once

class QWidget;

// The main window's height: collapsed to its step buttons, expanded to show a step panel,
// and the frames between while it grows or shrinks. Every resize counts itself, so the
// latest one started has the last word over one still running.
class WindowHeightAnimator
{
public:
    // How far one frame grows or shrinks the window, in twips.
    static constexpr int StepTwips = 40;

    WindowHeightAnimator(QWidget &window, int widthTwips, int collapsedTwips, int expandedTwips);

    // Where the window is going, so that a step chosen during the animation sees the
    // state it will end in.
    bool isExpanded() const { return m_expanded; }
    void expand();
    void collapse();
    // Grows or shrinks the window towards the height in 40-twip frames, the last one not
    // beyond it; false when another resize took over before it ended.
    bool animateTo(int targetTwips);
    // By the given twips from the current height, animated as animateTo.
    bool animateBy(int deltaTwips);
    void setHeight(int twips);

private:
    void settle(int twips);

    QWidget &m_window;
    const int m_width;
    const int m_collapsedHeight;
    const int m_expandedHeight;
    bool m_expanded = false;
    int m_generation = 0;
};
