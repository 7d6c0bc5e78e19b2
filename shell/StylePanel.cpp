#include "shell/StylePanel.h"

#include "dialogs/gui/KeyFilter.h"
#include "project/WorkingSet.h"
#include "shell/BackgroundChooserDialog.h"
#include "shell/ColorSwatch.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {
// Names and captions of one frame's controls; the page side and the link side
// differ only in these.
struct FrameNames
{
    const char *fontLabel, *fontName, *fontSize, *fontColor, *fontSwatch, *underline, *bold,
        *italic, *fontButton, *backLabel, *background, *backSwatch, *backButton;
    QString fontTip, backTip, fontLabelTip, backLabelTip;
    QString PageStyleSettings::*name, PageStyleSettings::*size, PageStyleSettings::*color,
        PageStyleSettings::*backValue;
    int PageStyleSettings::*u, PageStyleSettings::*b, PageStyleSettings::*i;
    QColor PageStyleSettings::*fontSwatchField, PageStyleSettings::*backSwatchField;
    QString boldTip, italicTip, underlineTip, nameTip, sizeTip, colorTip, backValueTip;
};

FrameNames namesOf(StyleCommands::Target target)
{
    using S = PageStyleSettings;
    if (target == StyleCommands::Target::Page)
        return {"Label16",
                "txtBackFontName",
                "txtBackFontSize",
                "txtBackFontColor",
                "txtBackFontColorDisplay",
                "txtBackFontUnderline",
                "txtBackFontBold",
                "txtBackFontItalic",
                "cmdFontBack",
                "Label2",
                "txtMainBackground",
                "txtBackColor",
                "cmdPageBackground",
                QStringLiteral("Select Title Font."),
                QStringLiteral("Select Background Color or Image for Image Display Frame."),
                QStringLiteral("Selected Background Font."),
                QStringLiteral("Selected Background Color or Image for Image Display Frame."),
                &S::backFontName,
                &S::backFontSize,
                &S::backFontColor,
                &S::mainBackground,
                &S::backFontUnderline,
                &S::backFontBold,
                &S::backFontItalic,
                &S::backFontColorSwatch,
                &S::mainBackgroundSwatch,
                QStringLiteral("Display Background Font Bold."),
                QStringLiteral("Display Background Font Italic."),
                QStringLiteral("Display Background Font Underlined."),
                QStringLiteral("Selected Background Font."),
                QStringLiteral("Selected Background Font Size."),
                QStringLiteral("Background Font Color."),
                QStringLiteral("Background Color or Image for Image Display Frame.")};
    return {"Label4",
            "txtLinkFontName",
            "txtLinkFontSize",
            "txtLinkFontColor",
            "txtLinkFontColorDisplay",
            "txtLinkFontUnderline",
            "txtLinkFontBold",
            "txtLinkFontItalic",
            "cmdFontLink",
            "Label3",
            "txtLinkBackground",
            "txtLinkColor",
            "cmdLinkBackground",
            QStringLiteral("Select Image Link Font."),
            QStringLiteral("Select Background Color or Image for Image Links Frame."),
            QStringLiteral("Selected Image Link Font."),
            QStringLiteral("Selected Background Color or Image for Image Links Frame."),
            &S::linkFontName,
            &S::linkFontSize,
            &S::linkFontColor,
            &S::linkBackground,
            &S::linkFontUnderline,
            &S::linkFontBold,
            &S::linkFontItalic,
            &S::linkFontColorSwatch,
            &S::linkBackgroundSwatch,
            QStringLiteral("Display Image Link Font Bold."),
            QStringLiteral("Display Image Link Font Italic."),
            QStringLiteral("Display Image Link Font Underlined."),
            QStringLiteral("Selected Image Link Font."),
            QStringLiteral("Selected Image Link Font Size."),
            QStringLiteral("Image Link Font Color."),
            QStringLiteral("Selected Background Color or Image for Image Links Frame.")};
}

QLabel *label(const char *name, const QString &caption, const QString &tip, QWidget *parent)
{
    auto *l = new QLabel(caption, parent);
    l->setObjectName(QString::fromLatin1(name));
    l->setToolTip(tip);
    return l;
}

// Fields that end up inside the pages' markup refuse the characters that would break it.
const QString QuoteCharacters = QStringLiteral("'\"");
} // namespace

StylePanel::StylePanel(WorkingSet &set, Dialogs &dialogs, QLineEdit &answerField,
                       QWidget *focusSink, QWidget *parent)
    : QGroupBox(QStringLiteral("Title, Fonts and Backgrounds"), parent), m_set(set),
      m_dialogs(dialogs), m_answer(answerField), m_focusSink(focusSink)
{
    setObjectName(QStringLiteral("frameColorFontTitle"));
    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(6, 2, 6, 4);
    grid->setHorizontalSpacing(4);
    grid->setVerticalSpacing(2);

    const QString titleTip =
        QStringLiteral("Title Displayed on Browser Window Title Bar and Display Frame Page.");
    QLineEdit *title = textField("txtTitle", &PageStyleSettings::title);
    title->setToolTip(titleTip);
    grid->addWidget(label("Label1", QStringLiteral("Title:"), titleTip, this), 0, 0);
    grid->addWidget(title, 0, 1, 1, 2);

    auto *frames = new QHBoxLayout;
    frames->setSpacing(4);
    frames->addWidget(
        frameGroup(QStringLiteral("Image Display Frame"), StyleCommands::Target::Page), 1);
    frames->addWidget(frameGroup(QStringLiteral("Image Links Frame"), StyleCommands::Target::Link),
                      1);
    grid->addLayout(frames, 1, 0, 1, 3);

    auto *soundRow = new QHBoxLayout;
    QLineEdit *sound = textField("txtBackgroundSound", &PageStyleSettings::backgroundSound);
    QPushButton *soundButton = commandButton("cmdBackgroundSound", QString());
    connect(soundButton, &QPushButton::clicked, this, [this] {
        m_focusSink->setFocus();
        if (StyleCommands(m_dialogs).chooseBackgroundSound(m_set.style, m_set.paths))
            refresh();
    });
    soundRow->addWidget(sound);
    soundRow->addWidget(soundButton);
    grid->addWidget(label("lblBackgroundSound", QStringLiteral("Sound:"), QString(), this), 2, 0);
    grid->addLayout(soundRow, 2, 1, 1, 2);
    grid->setColumnStretch(1, 1);

    KeyFilter::install(QuoteCharacters,
                       {title, findChild<QLineEdit *>(QStringLiteral("txtBackFontName")),
                        findChild<QLineEdit *>(QStringLiteral("txtLinkFontName")),
                        findChild<QLineEdit *>(QStringLiteral("txtMainBackground")),
                        findChild<QLineEdit *>(QStringLiteral("txtLinkBackground"))});
    refresh();
}

QWidget *StylePanel::frameGroup(const QString &title, StyleCommands::Target target)
{
    const FrameNames n = namesOf(target);
    auto *group = new QGroupBox(title, this);
    auto *grid = new QGridLayout(group);
    grid->setContentsMargins(4, 0, 4, 2);
    grid->setHorizontalSpacing(3);
    grid->setVerticalSpacing(2);

    QLineEdit *name = textField(n.fontName, n.name);
    name->setToolTip(n.nameTip);
    QLineEdit *size = textField(n.fontSize, n.size);
    size->setToolTip(n.sizeTip);
    size->setMaximumWidth(34);
    QPushButton *fontButton = commandButton(n.fontButton, n.fontTip);
    connect(fontButton, &QPushButton::clicked, this, [this, target] {
        if (StyleCommands(m_dialogs).chooseFont(m_set.style, target))
            refresh();
    });
    grid->addWidget(label(n.fontLabel, QStringLiteral("Font:"), n.fontLabelTip, group), 0, 0);
    grid->addWidget(name, 0, 1, 1, 2);
    grid->addWidget(size, 0, 3);
    grid->addWidget(fontButton, 0, 4);

    auto *styleRow = new QHBoxLayout;
    styleRow->setSpacing(2);
    ColorSwatch *fontSwatch = swatch(n.fontSwatch, n.fontSwatchField);
    fontSwatch->setToolTip(n.colorTip);
    QLineEdit *color = textField(n.fontColor, n.color);
    color->setMaximumWidth(64);
    styleRow->addWidget(fontSwatch);
    styleRow->addWidget(color);
    styleRow->addStretch();
    // Style initials written in their own style, as formatting toolbars do.
    QCheckBox *underline = checkField(n.underline, QStringLiteral("U"), n.u);
    underline->setToolTip(n.underlineTip);
    QFont f = underline->font();
    f.setUnderline(true);
    underline->setFont(f);
    QCheckBox *bold = checkField(n.bold, QStringLiteral("B"), n.b);
    bold->setToolTip(n.boldTip);
    f = bold->font();
    f.setBold(true);
    bold->setFont(f);
    QCheckBox *italic = checkField(n.italic, QStringLiteral("I"), n.i);
    italic->setToolTip(n.italicTip);
    f = italic->font();
    f.setItalic(true);
    italic->setFont(f);
    styleRow->addWidget(underline);
    styleRow->addWidget(bold);
    styleRow->addWidget(italic);
    grid->addLayout(styleRow, 1, 0, 1, 5);

    ColorSwatch *backSwatch = swatch(n.backSwatch, n.backSwatchField);
    QLineEdit *background = textField(n.background, n.backValue);
    background->setToolTip(n.backValueTip);
    QPushButton *backButton = commandButton(n.backButton, n.backTip);
    connect(backButton, &QPushButton::clicked, this, [this, target] { chooseBackground(target); });
    grid->addWidget(label(n.backLabel, QStringLiteral("Background:"), n.backLabelTip, group), 2, 0);
    grid->addWidget(backSwatch, 2, 1);
    grid->addWidget(background, 2, 2, 1, 2);
    grid->addWidget(backButton, 2, 4);
    grid->setColumnStretch(2, 1);
    return group;
}

void StylePanel::chooseBackground(StyleCommands::Target target)
{
    BackgroundChooserDialog chooser(m_answer, window());
    chooser.exec();
    if (StyleCommands(m_dialogs).applyBackgroundAnswer(m_answer.text(), m_set.style, m_set.paths,
                                                       target))
        refresh();
}

QLineEdit *StylePanel::textField(const char *name, QString PageStyleSettings::*field)
{
    auto *edit = new QLineEdit(this);
    edit->setObjectName(QString::fromLatin1(name));
    connect(edit, &QLineEdit::textEdited, this,
            [this, field](const QString &text) { m_set.style.*field = text; });
    m_texts.append({edit, field});
    return edit;
}

QCheckBox *StylePanel::checkField(const char *name, const QString &caption,
                                  int PageStyleSettings::*field)
{
    auto *box = new QCheckBox(caption, this);
    box->setObjectName(QString::fromLatin1(name));
    connect(box, &QCheckBox::clicked, this,
            [this, field](bool checked) { m_set.style.*field = checked ? 1 : 0; });
    m_checks.append({box, field});
    return box;
}

ColorSwatch *StylePanel::swatch(const char *name, QColor PageStyleSettings::*field)
{
    auto *s = new ColorSwatch(this);
    s->setObjectName(QString::fromLatin1(name));
    m_swatches.append({s, field});
    return s;
}

QPushButton *StylePanel::commandButton(const char *name, const QString &tip)
{
    auto *button = new QPushButton(QStringLiteral("..."), this);
    button->setObjectName(QString::fromLatin1(name));
    button->setToolTip(tip);
    button->setFixedWidth(28);
    button->setAutoDefault(false);
    return button;
}

void StylePanel::refresh()
{
    for (const TextBinding &t : std::as_const(m_texts)) {
        const QString &value = m_set.style.*t.field;
        if (t.edit->text() != value) {
            t.edit->setText(value);
            t.edit->setCursorPosition(0);
        }
    }
    // A loaded project may hold other numbers than 0 and 1; only 1 is on.
    for (const CheckBinding &c : std::as_const(m_checks))
        c.box->setChecked(m_set.style.*c.field == 1);
    for (const SwatchBinding &s : std::as_const(m_swatches))
        s.swatch->setColor(m_set.style.*s.field);
}
