#include "tools/SampleAlbum.h"

#include "core/PathNames.h"
#include "project/ProjectFile.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>

namespace {
const char *const Names[] = {"Sunrise",  "Harbour View", "Green Hills",
                             "Old Town", "Night Sky",    "Beach Day's End"};
constexpr int Drawn = 6;

bool drawPicture(const QString &path, int index)
{
    QImage image(320, 240, QImage::Format_RGB32);
    const QColor base = QColor::fromHsv((index * 55) % 360, 160, 220);
    image.fill(base);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(base.darker(160));
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(80 + index * 30, 90), 50, 50);
    p.setBrush(base.lighter(130));
    p.drawRect(0, 170, 320, 70);
    p.setPen(Qt::white);
    p.drawText(QRect(0, 190, 320, 40), Qt::AlignCenter, QLatin1String(Names[index % Drawn]));
    p.end();
    return image.save(path, "JPG", 85);
}
} // namespace

QString SampleAlbum::create(const QString &folder, int count)
{
    if (!QDir().mkpath(folder))
        return {};
    const QString dir = JoinFolderAndFile(QDir(folder).absolutePath(), QString());
    WorkingSet set;
    ProjectFile::NewProject(set, dir);
    set.style.title = QStringLiteral("Lumora Sample Album");
    for (int i = 0; i < count; ++i) {
        const QString base = QLatin1String(Names[i % Drawn]) +
                             (i < Drawn ? QString() : QStringLiteral(" %1").arg(i));
        const QString path = dir + base + QLatin1String(".jpg");
        if (i < Drawn) {
            if (!drawPicture(path, i))
                return {};
        } else if (!QFile::exists(path) &&
                   !QFile::copy(dir + QLatin1String(Names[i % Drawn]) + QLatin1String(".jpg"),
                                path)) {
            return {};
        }
        set.images.AddToImageList(path);
    }
    set.images.UpdateImageListInfo();
    const QString project = dir + QLatin1String("sample.lwp");
    return ProjectFile::writeFile(project, set) ? QString() : project;
}
