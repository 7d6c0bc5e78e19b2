#include "images/PreviewLoader.h"

#include <QFileInfo>
#include <QImageReader>

QSize PreviewLoader::fittedSize(const QSize &size, const QSize &box)
{
    if (size.isEmpty() || box.isEmpty())
        return {};
    if (size.width() <= box.width() && size.height() <= box.height())
        return size;
    return size.scaled(box, Qt::KeepAspectRatio).expandedTo(QSize(1, 1));
}

QImage PreviewLoader::load(const QString &path, const QSize &box)
{
    // Opening a FIFO or a device would block until someone writes to it.
    if (!QFileInfo(path).isFile())
        return {};
    QImageReader reader(path);
    reader.setAutoTransform(true);
    const QSize stored = reader.size();
    if (!stored.isValid())
        return {};
    // The scaled size applies before the picture is turned upright.
    const bool turned = reader.transformation() & QImageIOHandler::TransformationRotate90;
    const QSize upright = turned ? stored.transposed() : stored;
    const QSize shown = fittedSize(upright, box);
    if (shown.isEmpty())
        return {};
    reader.setScaledSize(turned ? shown.transposed() : shown);
    return reader.read();
}
