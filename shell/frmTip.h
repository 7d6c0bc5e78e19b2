#pragma once

#include <QDialog>

class QCheckBox;
class QLabel;
class QPushButton;
class SettingsStore;

// The tip of the day, shown at start-up when the user wants it.
class frmTip : public QDialog
{
    Q_OBJECT
public:
    frmTip(SettingsStore &store, QWidget *parent = nullptr);

    // Shows the window modally, unless the stored choice is "False".
    void run();

    bool LoadTips();
    void ShowRandomTip();
    void DisplayCurrentTip();
    int currentTip() const { return m_current; }

private:
    SettingsStore &m_store;
    QStringList m_tips;
    int m_current = 0; // 1-based; 0 before the first tip
    QLabel *m_lblTipText;
    QCheckBox *m_chkLoadTipsAtStartup;
};
