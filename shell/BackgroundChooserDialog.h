#pragma once

#include <QDialog>

class QLineEdit;

// Asks whether a background is to be a picture, a colour, or cleared. The chosen
// word goes into the main window's answer field; closing without a choice answers "cancel".
class BackgroundChooserDialog : public QDialog
{
    Q_OBJECT
public:
    BackgroundChooserDialog(QLineEdit &answerField, QWidget *parent);

private:
    QLineEdit &m_answer;
};
