#include "PreviewArea.h"

#include "Artwork.h"

#include <QImageReader>
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
    QImageReader reader(path);
    reader.setAutoTransform(true);
    const QSize full = reader.size();
    const QSize room = ImagePreview->contentsRect().size();
    // Decoded at the size shown: big camera pictures would take long in full.
    if (full.isValid() && room.isValid() && !room.isEmpty())
        reader.setScaledSize(full.scaled(room, Qt::KeepAspectRatio).boundedTo(full));
    const QImage image = reader.read();
    if (image.isNull())
        return false;
    lblImage->setText(caption);
    imgLogo->hide();
    ImagePreview->setPixmap(QPixmap::fromImage(image));
    return true;
}

bool PreviewArea::showsLogo() const
{
    return !imgLogo->isHidden();
}

QString PreviewArea::caption() const
{
    return lblImage->text();
}
