#pragma once

#include <QDialog>

class Dialogs;

// The about box: title, version, description, the product's addresses.
class frmAbout : public QDialog
{
    Q_OBJECT
public:
    frmAbout(Dialogs &dialogs, QWidget *parent = nullptr);

    static QString description();
    void StartSysInfo();

signals:
    // "More Help": the main window opens the help page.
    void helpRequested();

private:
    Dialogs &m_dialogs;
};
