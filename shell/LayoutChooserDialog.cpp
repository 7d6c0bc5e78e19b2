#include "shell/LayoutChooserDialog.h"

#include "shell/LayoutPicture.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

LayoutChooserDialog::LayoutChooserDialog(QLineEdit &answerField, QWidget *parent)
    : QDialog(parent), m_answer(answerField)
{
    setObjectName(QStringLiteral("frmLayoutStyle"));
    setWindowTitle(QStringLiteral("Select Web Page Style"));

    auto *layout = new QGridLayout(this);
    layout->addWidget(
        new QLabel(QStringLiteral("Click on the Style of Web Page to Generate."), this), 0, 0, 1,
        6);

    struct Layout
    {
        const char *name, *word, *tip;
    };
    const Layout layouts[] = {
        {"ImageFrames", "frame", "Left Side Picture Index Frame Only"},
        {"ImageFrameThumb", "framethumb", "Thumbnails and Left Side Picture Index Frame Only"},
        {"ImageThumb", "thumb", "Clickable Thumbnails Only"},
        {"ImageLRScroll", "lrscroll", "Right/Left Scrolling using Full Size Images"},
        {"ImageUDScroll", "udscroll", "Up/Down Scrolling using Full Size Images"},
        {"ImageGallery", "gallery",
         "Gallery: thumbnails and web-size pictures for phones and large screens"}};
    int column = 0;
    for (const Layout &l : layouts) {
        auto *picture = new LayoutPicture(QString::fromLatin1(l.word), this);
        picture->setObjectName(QString::fromLatin1(l.name));
        picture->setToolTip(QString::fromLatin1(l.tip));
        layout->addWidget(picture, 1, column++);
        connect(picture, &LayoutPicture::chosen, this, [this](const QString &word) {
            m_neutral->setFocus();
            m_answer.setText(word);
            accept();
        });
    }

    // Read by the gallery only; ticked before its picture is clicked.
    m_largeScreens = new QCheckBox(QStringLiteral("Gallery: Large screens"), this);
    m_largeScreens->setObjectName(QStringLiteral("chkLargeScreens"));
    m_largeScreens->setToolTip(QStringLiteral("Adds 2560 pixel pictures for large screens"));
    layout->addWidget(m_largeScreens, 2, 0, 1, 3);
    m_includeOriginals = new QCheckBox(QStringLiteral("Gallery: Include originals"), this);
    m_includeOriginals->setObjectName(QStringLiteral("chkIncludeOriginals"));
    m_includeOriginals->setToolTip(
        QStringLiteral("Publishes the original pictures, with their metadata, as \"Original\""));
    layout->addWidget(m_includeOriginals, 2, 3, 1, 3);

    m_neutral = new QPushButton(this);
    m_neutral->setObjectName(QStringLiteral("cmdNeutralFocus"));
    m_neutral->setFixedSize(1, 1);
    m_neutral->setFlat(true);
    m_neutral->move(-10, -10);
}

bool LayoutChooserDialog::largeScreens() const
{
    return m_largeScreens->isChecked();
}

bool LayoutChooserDialog::includeOriginals() const
{
    return m_includeOriginals->isChecked();
}
