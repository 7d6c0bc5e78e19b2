#include "dialogs/gui/FontColorDialog.h"

#include "core/AppText.h"

#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFontDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

FontColorDialog::FontColorDialog(const Dialogs::FontChoice &initial, QWidget *parent)
    : QDialog(parent), m_fonts(new QFontDialog(this)),
      m_colorButton(new QPushButton(tr("&Colour..."), this)), m_color(initial.color)
{
    setWindowTitle(tr("Font"));
    QFont font(initial.name);
    if (initial.size > 0)
        font.setPointSizeF(initial.size);
    font.setUnderline(initial.underline);
    font.setBold(initial.bold);
    font.setItalic(initial.italic);
    m_fonts->setOptions(QFontDialog::NoButtons);
    m_fonts->setCurrentFont(font);
    m_fonts->setWindowFlags(Qt::Widget);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
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
    layout->addWidget(m_fonts);
    layout->addLayout(colorRow);
    layout->addWidget(buttons);
    showColor();
}

void FontColorDialog::showColor()
{
    m_colorButton->setStyleSheet(
        QStringLiteral("QPushButton { border: 1px solid gray; background: %1; min-width: 60px; }")
            .arg(m_color.name()));
}

Dialogs::FontChoice FontColorDialog::choice() const
{
    const QFont font = m_fonts->currentFont();
    Dialogs::FontChoice out;
    out.name = font.family();
    out.size = font.pointSizeF();
    out.underline = font.underline();
    out.bold = font.bold();
    out.italic = font.italic();
    out.color = m_color;
    return out;
}
