#include "dialogs/gui/FontColorDialog.h"

#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QFontDialog>
#include <QFontInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <cstdlib>

FontColorDialog::FontColorDialog(const Dialogs::FontChoice &initial, QWidget *parent)
    : QDialog(parent), m_fonts(new QFontDialog(this)),
      m_colorButton(new QPushButton(tr("&Colour..."), this)), m_initial(initial),
      m_color(initial.color)
{
    setWindowTitle(tr("Font"));
    QFont font(initial.name);
    if (initial.size > 0)
        font.setPointSizeF(initial.size);
    font.setUnderline(initial.underline);
    font.setBold(initial.bold);
    font.setItalic(initial.italic);
    // The dialog lists installed families only: a name that is not installed is shown as the
    // family that stands in for it here, and said so.
    auto *note = new QLabel(this);
    note->setObjectName(QStringLiteral("lblFontNote"));
    note->setWordWrap(true);
    if (!QFontDatabase::families().contains(initial.name, Qt::CaseInsensitive)) {
        font.setFamily(QFontInfo(font).family());
        note->setText(tr("\"%1\" is not installed here; it is shown as \"%2\" and kept unless "
                         "you choose another font.")
                          .arg(initial.name, font.family()));
    }
    note->setVisible(!note->text().isEmpty());
    // The dialog finds its style by name ("Normal", "Bold"), which many families do not use
    // ("Book", "Oblique"): name the family's own style for the wanted weight and slant.
    // Oblique counts as italic, as the dialog reports it. Of the faces with the weight and
    // slant, the one nearest a plain weight, then the shortest name ("Book" before "Condensed").
    const int wantedWeight = initial.bold ? QFont::Bold : QFont::Normal;
    QString chosenStyle;
    int best = 0;
    for (const QString &style : QFontDatabase::styles(font.family())) {
        const QFont face = QFontDatabase::font(font.family(), style, 12);
        if (face.bold() != initial.bold || face.italic() != initial.italic)
            continue;
        const int score = std::abs(face.weight() - wantedWeight) * 100 + int(style.size());
        if (chosenStyle.isEmpty() || score < best) {
            chosenStyle = style;
            best = score;
        }
    }
    if (!chosenStyle.isEmpty())
        font.setStyleName(chosenStyle);
    m_fonts->setOptions(QFontDialog::NoButtons);
    m_fonts->setCurrentFont(font);
    m_fonts->setWindowFlags(Qt::Widget);
    m_shown = m_fonts->currentFont();

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    m_colorButton->setObjectName(QStringLiteral("cmdFontColor"));
    connect(m_colorButton, &QPushButton::clicked, this, [this] {
        const QColor chosen = QColorDialog::getColor(m_color, this);
        if (chosen.isValid()) {
            m_color = chosen;
            showColor();
        }
    });

    auto *colorRow = new QHBoxLayout;
    colorRow->addWidget(new QLabel(tr("Colour:"), this));
    colorRow->addWidget(m_colorButton);
    colorRow->addStretch();
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(note);
    layout->addWidget(m_fonts);
    layout->addLayout(colorRow);
    layout->addWidget(buttons);
    showColor();
}

void FontColorDialog::showColor()
{
    // The caption in black or white, whichever stands out from the colour.
    const double luminance =
        0.299 * m_color.redF() + 0.587 * m_color.greenF() + 0.114 * m_color.blueF();
    const QColor caption = luminance < 0.5 ? Qt::white : Qt::black;
    m_colorButton->setStyleSheet(
        QStringLiteral("QPushButton { border: 1px solid gray; background: %1; color: %2; "
                       "padding: 3px 12px; }")
            .arg(m_color.name(), caption.name()));
}

Dialogs::FontChoice FontColorDialog::choice() const
{
    // What the user left as it opened keeps the panel's value: OK without a change (or on a
    // family that is not installed here) changes nothing.
    const QFont font = m_fonts->currentFont();
    Dialogs::FontChoice out = m_initial;
    if (font.family() != m_shown.family())
        out.name = font.family();
    if (font.pointSizeF() != m_shown.pointSizeF())
        out.size = font.pointSizeF();
    if (font.underline() != m_shown.underline())
        out.underline = font.underline();
    if (font.bold() != m_shown.bold())
        out.bold = font.bold();
    if (font.italic() != m_shown.italic())
        out.italic = font.italic();
    out.color = m_color;
    return out;
}
