#include "shell/PreviewArea.h"

#include "images/gui/PicturePreview.h"
#include "shell/Artwork.h"

#include <QLabel>
#include <QVBoxLayout>

PreviewArea::PreviewArea(QWidget *parent) : QWidget(parent)
{
    lblImage = new QLabel(this);
    lblImage->setObjectName(QStringLiteral("lblImage"));
    lblImage->setAlignment(Qt::AlignCenter);

    ImagePreview = new QLabel(this);
    ImagePreview->setObjectName(QStringLiteral("ImagePreview"));
    ImagePreview->setAlignment(Qt::AlignCenter);
    ImagePreview->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    ImagePreview->setMinimumSize(1, 1);
    ImagePreview->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);

    imgLogo = new QLabel(ImagePreview);
    imgLogo->setObjectName(QStringLiteral("imgLogo"));
    imgLogo->setPixmap(QPixmap::fromImage(Artwork::logo()));
    imgLogo->setAlignment(Qt::AlignCenter);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(1);
    layout->addWidget(lblImage);
    layout->addWidget(ImagePreview, 1);
}

void PreviewArea::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    imgLogo->setGeometry(ImagePreview->contentsRect());
}

void PreviewArea::showLogo()
{
    lblImage->clear();
    ImagePreview->clear();
    imgLogo->show();
}

bool PreviewArea::showPicture(const QString &path, const QString &caption)
{
    if (!PicturePreview::showFile(ImagePreview, path))
        return false;
    lblImage->setText(caption);
    imgLogo->hide();
    return true;
}

void PreviewArea::showImage(const QImage &picture)
{
    if (PicturePreview::showImage(ImagePreview, picture))
        imgLogo->hide();
}

bool PreviewArea::showsLogo() const
{
    return !imgLogo->isHidden();
}

QString PreviewArea::caption() const
{
    return lblImage->text();
}
