#include "tools/SampleAlbum.h"

#include "core/PathNames.h"
#include "project/ProjectFile.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QRandomGenerator>
#include <algorithm>
#include <cmath>

namespace {
const char *const Names[] = {"Sunrise",  "Harbour View", "Green Hills",
                             "Old Town", "Night Sky",    "Beach Day's End"};
constexpr int Drawn = 6;

constexpr int Width = 1600;
constexpr int Height = 1200;

// A landscape: sky and ground gradients, a sun, hills and trees, and film grain; the grain
// gives the JPEG the detail, and so the size, of a photograph.
bool drawPicture(const QString &path, int index)
{
    QRandomGenerator random(quint32(index + 1));
    QImage image(Width, Height, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);

    const int horizon = Height * (55 + index % 3 * 5) / 100;
    QLinearGradient sky(0, 0, 0, horizon);
    sky.setColorAt(0, QColor::fromHsv(200 + index * 8, 170, 150));
    sky.setColorAt(1, QColor::fromHsv(20 + index * 7, 90, 250));
    p.fillRect(0, 0, Width, horizon, sky);

    const QPointF sun(Width * (0.2 + 0.12 * index), horizon * 0.45);
    QRadialGradient glow(sun, 260);
    glow.setColorAt(0, QColor(255, 250, 220));
    glow.setColorAt(0.25, QColor(255, 230, 160, 220));
    glow.setColorAt(1, QColor(255, 200, 120, 0));
    p.setBrush(glow);
    p.drawEllipse(sun, 260, 260);

    for (int layer = 0; layer < 3; ++layer) {
        QPainterPath hills(QPointF(0, Height));
        const double base = horizon + layer * 90 - 120;
        for (int x = 0; x <= Width; x += 40)
            hills.lineTo(x, base + 60 * std::sin(x / (180.0 + 70 * layer) + index + layer) +
                                random.bounded(25));
        hills.lineTo(Width, Height);
        QLinearGradient ground(0, base - 80, 0, Height);
        ground.setColorAt(0, QColor::fromHsv(80 + index * 9 + 15 * layer, 120, 170 - 40 * layer));
        ground.setColorAt(1, QColor::fromHsv(100 + index * 7, 160, 60));
        p.setBrush(ground);
        p.drawPath(hills);
    }

    // Far trees first, so near ones stand in front of them.
    QList<QPointF> trees;
    for (int t = 0; t < 14; ++t)
        trees << QPointF(random.bounded(Width),
                         horizon + 120 + random.bounded(Height - horizon - 120));
    std::sort(trees.begin(), trees.end(), [](QPointF a, QPointF b) { return a.y() < b.y(); });
    for (const QPointF &at : std::as_const(trees)) {
        const double x = at.x(), y = at.y();
        const double h = 60 + (y - horizon) * 0.5;
        p.setBrush(QColor(70, 45, 25));
        p.drawRect(QRectF(x - h * 0.04, y - h * 0.3, h * 0.08, h * 0.3));
        QRadialGradient crown(QPointF(x - h * 0.1, y - h * 0.6), h * 0.45);
        crown.setColorAt(0, QColor::fromHsv(95 + index * 6, 170, 190));
        crown.setColorAt(1, QColor::fromHsv(115 + index * 6, 200, 70));
        p.setBrush(crown);
        p.drawEllipse(QPointF(x, y - h * 0.6), h * 0.3, h * 0.4);
    }

    // A lens darkens the corners.
    QRadialGradient vignette(QPointF(Width / 2.0, Height / 2.0), Width * 0.75);
    vignette.setColorAt(0.6, QColor(0, 0, 0, 0));
    vignette.setColorAt(1, QColor(0, 0, 0, 120));
    p.fillRect(image.rect(), vignette);

    QFont font = p.font();
    font.setPixelSize(64);
    p.setFont(font);
    p.setPen(QColor(255, 255, 255, 200));
    p.drawText(QRect(0, Height - 140, Width, 100), Qt::AlignCenter,
               QLatin1String(Names[index % Drawn]));
    p.end();

    for (int y = 0; y < Height; ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < Width; ++x) {
            const int grain = int(random.bounded(13)) - 6;
            const QRgb c = line[x];
            line[x] =
                qRgb(std::clamp(qRed(c) + grain, 0, 255), std::clamp(qGreen(c) + grain, 0, 255),
                     std::clamp(qBlue(c) + grain, 0, 255));
        }
    }
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
