#pragma once

#include <QList>
#include <QObject>

struct ShellSettings;
class QAction;
class QMainWindow;
class QMenu;
class ScannerCommands;

// The main window's menu bar: File, Web Page, Options and Help. The options' check marks
// are the window's settings; the commands that need the window come out as signals.
class MainMenus : public QObject
{
    Q_OBJECT
public:
    MainMenus(QMainWindow &window, ScannerCommands &scanner);

    // Web Page's five items, in the order of the window's steps.
    QAction *stepAction(int step) const { return m_stepActions.at(step); }
    // The menu runs the same commands as the step buttons; a slide must not start inside
    // another.
    void setStepsEnabled(bool enabled);
    // File, Web Page and Help, off while an upload runs.
    void setWorkflowEnabled(bool enabled);

    bool autoSpace() const;
    bool sounds() const;
    bool voicePrompting() const;
    bool toolTips() const;
    void setTipOfDay(bool on);
    // The five check marks; the position is left as it is.
    void setOptions(const ShellSettings &options);
    void readOptions(ShellSettings &options) const;

signals:
    void newChosen();
    void loadChosen();
    void saveChosen();
    void advancedFtpChosen();
    void helpChosen();
    void aboutChosen();

private:
    void buildFile(QMainWindow &window, ScannerCommands &scanner);
    void buildOptions(QMainWindow &window);

    QList<QMenu *> m_workflowMenus;
    QList<QAction *> m_stepActions;
    QAction *mnuOptionAutoSpace;
    QAction *mnuEnableVoicePrompting;
    QAction *mnuOptionEnableSounds;
    QAction *mnuOptionToolTips;
    QAction *mnuOptionTipOfDay;
};
