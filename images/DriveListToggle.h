#pragma once

#include <QObject>
#include <QTimer>

class QAbstractButton;
class QWidget;

// The cmdDriveList button's command: shows the file browser panel while the window grows
// by 2480 twips in steps of 40, or shrinks it back and hides the panel. The button is
// disabled while the window moves, so it cannot be pressed twice.
class DriveListToggle : public QObject
{
    Q_OBJECT
public:
    static const QString ShowCaption;
    static const QString HideCaption;
    static constexpr int StepTwips = 40;
    static constexpr int DistanceTwips = 2505;

    DriveListToggle(QAbstractButton *button, QWidget *panel, QWidget *window,
                    QObject *parent = nullptr);

    bool isShown() const;
    bool isMoving() const { return m_timer.isActive(); }
    // Milliseconds between steps; tests set 0.
    void setStepInterval(int ms) { m_timer.setInterval(ms); }
    // Moves the focus here after each toggle, so no button keeps a focus mark.
    void setFocusAfter(QWidget *neutral) { m_focusAfter = neutral; }

public slots:
    void toggle();
    // The other steps of the workflow hide the panel through the same command.
    void hidePanel();

signals:
    void finished();

private:
    void step();

    QAbstractButton *m_button;
    QWidget *m_panel;
    QWidget *m_window;
    QWidget *m_focusAfter = nullptr;
    QTimer m_timer;
    int m_startHeight = 0;
    int m_direction = 0;
    int m_step = 0;
};
