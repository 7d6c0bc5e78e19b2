#include "images/gui/PicturePreview.h"

#include "images/PreviewLoader.h"

#include <QLabel>
#include <QPixmap>

bool PicturePreview::showFile(QLabel *preview, const QString &path)
{
    const QImage picture = PreviewLoader::load(path, preview->contentsRect().size());
    if (picture.isNull())
        return false;
    preview->setPixmap(QPixmap::fromImage(picture));
    return true;
}

bool PicturePreview::showImage(QLabel *preview, const QImage &picture)
{
    const QSize shown = PreviewLoader::fittedSize(picture.size(), preview->contentsRect().size());
    if (shown.isEmpty())
        return false;
    preview->setPixmap(
        QPixmap::fromImage(picture.scaled(shown, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)));
    return true;
}
