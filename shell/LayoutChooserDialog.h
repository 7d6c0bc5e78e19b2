#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

// Shows the five page layouts as pictures; a click writes the layout's word into the
// main window's answer field and closes. Closing without a choice leaves the field.
class LayoutChooserDialog : public QDialog
{
    Q_OBJECT
public:
    LayoutChooserDialog(QLineEdit &answerField, QWidget *parent);

private:
    QLineEdit &m_answer;
    // Takes the focus from the clicked picture before the dialog closes.
    QPushButton *m_neutral;
};
