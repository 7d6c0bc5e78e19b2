#pragma once

#include "generator/PageStyleSettings.h"
#include "generator/StyleCommands.h"

#include <QGroupBox>

class ColorSwatch;
class Dialogs;
class QCheckBox;
class QLineEdit;
class QPushButton;
class QBoxLayout;
struct WorkingSet;

// The "Title, Fonts and Backgrounds" panel: shows the page style settings, writes
// what the user types straight into them, and runs the "..." commands.
class StylePanel : public QGroupBox
{
    Q_OBJECT
public:
    // The answer field is the main window's, which the background chooser fills; the
    // focus sink takes the focus where a command wants no field focused.
    StylePanel(WorkingSet &set, Dialogs &dialogs, QLineEdit &answerField, QWidget *focusSink,
               QWidget *parent);

    // Shows the settings again after something other than typing changed them.
    void refresh();

private:
    QLineEdit *textField(const char *name, QString PageStyleSettings::*field);
    QCheckBox *checkField(const char *name, const QString &caption, int PageStyleSettings::*field);
    ColorSwatch *swatch(const char *name, QColor PageStyleSettings::*field);
    QPushButton *commandButton(const char *name, const QString &tip);
    QWidget *frameGroup(const QString &title, StyleCommands::Target target);
    void chooseBackground(StyleCommands::Target target);

    struct TextBinding
    {
        QLineEdit *edit;
        QString PageStyleSettings::*field;
    };
    struct CheckBinding
    {
        QCheckBox *box;
        int PageStyleSettings::*field;
    };
    struct SwatchBinding
    {
        ColorSwatch *swatch;
        QColor PageStyleSettings::*field;
    };

    WorkingSet &m_set;
    Dialogs &m_dialogs;
    QLineEdit &m_answer;
    QWidget *m_focusSink;
    QList<TextBinding> m_texts;
    QList<CheckBinding> m_checks;
    QList<SwatchBinding> m_swatches;
};
