#include "shell/Artwork.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace {
const QColor Sky(0x1E, 0x5A, 0xA8);
const QColor Dawn(0xF6, 0xB2, 0x5C);
const QColor Paper(0xFB, 0xFA, 0xF5);
const QColor Ink(0x22, 0x2B, 0x38);
const QColor Link(0x80, 0xFF, 0xFF);
const QColor Page(0x00, 0x80, 0xFF);

// A camera picture in miniature: sky, sun and two hills.
void drawPhoto(QPainter &p, const QRectF &r)
{
    p.save();
    p.setClipRect(r);
    QLinearGradient sky(r.topLeft(), r.bottomLeft());
    sky.setColorAt(0, Sky.lighter(150));
    sky.setColorAt(1, Dawn);
    p.fillRect(r, sky);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xFF, 0xE0, 0x66));
    const qreal s = std::min(r.width(), r.height());
    p.drawEllipse(QPointF(r.left() + r.width() * 0.72, r.top() + r.height() * 0.32), s * 0.14,
                  s * 0.14);
    QPainterPath hills;
    hills.moveTo(r.bottomLeft());
    hills.lineTo(r.left(), r.top() + r.height() * 0.7);
    hills.quadTo(r.left() + r.width() * 0.3, r.top() + r.height() * 0.45,
                 r.left() + r.width() * 0.55, r.top() + r.height() * 0.72);
    hills.quadTo(r.left() + r.width() * 0.8, r.top() + r.height() * 0.55, r.right(),
                 r.top() + r.height() * 0.68);
    hills.lineTo(r.bottomRight());
    hills.closeSubpath();
    p.setBrush(QColor(0x3C, 0x8D, 0x4F));
    p.drawPath(hills);
    p.restore();
    p.setPen(QPen(Paper, 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(r);
}

// The logo's mark: an aperture ring around a photo.
void drawMark(QPainter &p, const QRectF &r)
{
    p.setPen(Qt::NoPen);
    p.setBrush(Ink);
    p.drawEllipse(r);
    const QRectF inner =
        r.adjusted(r.width() * 0.12, r.height() * 0.12, -r.width() * 0.12, -r.height() * 0.12);
    p.setBrush(Dawn);
    p.drawEllipse(inner);
    const QRectF photo = inner.adjusted(inner.width() * 0.2, inner.height() * 0.25,
                                        -inner.width() * 0.2, -inner.height() * 0.25);
    drawPhoto(p, photo);
}

QImage canvas(int w, int h, const QColor &fill)
{
    QImage image(w, h, QImage::Format_ARGB32_Premultiplied);
    image.fill(fill);
    return image;
}

void drawLines(QPainter &p, const QRectF &r, int count, const QColor &color)
{
    p.setPen(QPen(color, 2));
    const qreal step = r.height() / (count + 1);
    for (int i = 1; i <= count; ++i)
        p.drawLine(QPointF(r.left() + 3, r.top() + i * step),
                   QPointF(r.right() - 3 - (i % 2) * r.width() * 0.25, r.top() + i * step));
}

void drawThumbs(QPainter &p, const QRectF &r, int columns, int rows)
{
    const qreal w = r.width() / columns, h = r.height() / rows;
    for (int y = 0; y < rows; ++y)
        for (int x = 0; x < columns; ++x)
            drawPhoto(p, QRectF(r.left() + x * w + 2, r.top() + y * h + 2, w - 4, h - 4));
}

void drawArrow(QPainter &p, QPointF from, QPointF to)
{
    p.setPen(QPen(Ink, 2));
    p.drawLine(from, to);
    const QPointF d = (to - from) / std::hypot(to.x() - from.x(), to.y() - from.y()) * 5;
    const QPointF n(-d.y(), d.x());
    p.drawLine(to, to - d + n);
    p.drawLine(to, to - d - n);
}
} // namespace

namespace Artwork {
QImage splash()
{
    QImage image = canvas(420, 250, Sky);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient bg(0, 0, 0, image.height());
    bg.setColorAt(0, Sky.darker(130));
    bg.setColorAt(1, Sky.lighter(130));
    p.fillRect(image.rect(), bg);
    for (int i = 0; i < 3; ++i) {
        p.save();
        p.translate(270 + i * 12, 62 + i * 18);
        p.rotate(-12 + i * 10);
        p.fillRect(QRectF(-4, -4, 112, 82), Paper);
        drawPhoto(p, QRectF(0, 0, 104, 74));
        p.restore();
    }
    drawMark(p, QRectF(24, 28, 64, 64));
    p.setPen(Paper);
    QFont title(QStringLiteral("DejaVu Sans"), 30, QFont::Bold);
    p.setFont(title);
    p.drawText(QRectF(24, 100, 300, 50), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Lumora"));
    p.setFont(QFont(QStringLiteral("DejaVu Sans"), 13));
    p.drawText(QRectF(26, 150, 300, 26), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Web Page Generator"));
    p.setFont(QFont(QStringLiteral("DejaVu Sans"), 9));
    p.setPen(Paper.darker(115));
    p.drawText(QRectF(26, 178, 260, 40), Qt::AlignLeft | Qt::TextWordWrap,
               QStringLiteral("From camera pictures to a web album in five steps."));
    return image;
}

QImage logo()
{
    QImage image = canvas(120, 96, Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    drawMark(p, QRectF(32, 4, 56, 56));
    p.setPen(Ink);
    p.setFont(QFont(QStringLiteral("DejaVu Sans"), 14, QFont::Bold));
    p.drawText(QRectF(0, 62, 120, 30), Qt::AlignCenter, QStringLiteral("Lumora"));
    return image;
}

QImage icon(int size)
{
    QImage image = canvas(size, size, Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    drawMark(p, QRectF(size * 0.04, size * 0.04, size * 0.92, size * 0.92));
    return image;
}

QImage layoutPreview(const QString &word)
{
    QImage image = canvas(112, 84, Paper);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF all(0, 0, image.width(), image.height());
    const QRectF left(0, 0, 30, all.height());
    const QRectF right = all.adjusted(30, 0, 0, 0);
    if (word == QLatin1String("frame") || word == QLatin1String("framethumb")) {
        p.fillRect(left, Link);
        drawLines(p, left.adjusted(0, 4, 0, -4), 6, Ink);
        p.fillRect(right, Page);
        if (word == QLatin1String("frame"))
            drawPhoto(p, right.adjusted(12, 12, -12, -12));
        else
            drawThumbs(p, right.adjusted(4, 8, -4, -8), 3, 2);
    } else if (word == QLatin1String("thumb")) {
        p.fillRect(all, Page);
        drawThumbs(p, all.adjusted(6, 8, -6, -8), 4, 3);
    } else if (word == QLatin1String("lrscroll")) {
        p.fillRect(all, Page);
        drawPhoto(p, QRectF(6, 14, 60, 46));
        drawPhoto(p, QRectF(72, 14, 60, 46));
        drawArrow(p, QPointF(20, 72), QPointF(92, 72));
    } else if (word == QLatin1String("udscroll")) {
        p.fillRect(all, Page);
        drawPhoto(p, QRectF(20, 6, 60, 40));
        drawPhoto(p, QRectF(20, 52, 60, 40));
        drawArrow(p, QPointF(96, 12), QPointF(96, 74));
    } else if (word == QLatin1String("gallery")) {
        // A wide screen and a phone showing the same grid.
        p.fillRect(all, Page);
        p.fillRect(QRectF(4, 12, 72, 50), Link);
        drawThumbs(p, QRectF(6, 14, 68, 46), 4, 3);
        p.fillRect(QRectF(82, 8, 26, 68), Link);
        drawThumbs(p, QRectF(84, 12, 22, 60), 2, 4);
    }
    p.setPen(QPen(Ink, 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(all.adjusted(0, 0, -1, -1));
    return image;
}
} // namespace Artwork
