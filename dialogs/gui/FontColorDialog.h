#pragma once

#include "core/Dialogs.h"

#include <QDialog>
#include <QFont>

class QFontDialog;
class QPushButton;

// Qt's font dialog offers no colour; the font choosers need one, so the font
// dialog is embedded beside a colour button.
class FontColorDialog : public QDialog
{
    Q_OBJECT
public:
    explicit FontColorDialog(const Dialogs::FontChoice &initial, QWidget *parent = nullptr);
    Dialogs::FontChoice choice() const;

private:
    void showColor();

    QFontDialog *m_fonts;
    QPushButton *m_colorButton;
    Dialogs::FontChoice m_initial;
    // The font the embedded dialog showed when it opened.
    QFont m_shown;
    QColor m_color;
};
