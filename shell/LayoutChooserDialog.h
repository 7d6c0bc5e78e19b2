#pragma once

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;

// Shows the six page layouts as pictures; a click writes the layout's word into the
// main window's answer field and accepts; closing without a choice rejects and leaves the field.
class LayoutChooserDialog : public QDialog
{
    Q_OBJECT
public:
    LayoutChooserDialog(QLineEdit &answerField, QWidget *parent);
    bool largeScreens() const;
    bool includeOriginals() const;

private:
    QLineEdit &m_answer;
    QCheckBox *m_largeScreens;
    QCheckBox *m_includeOriginals;
    // Takes the focus from the clicked picture before the dialog closes.
    QPushButton *m_neutral;
};
