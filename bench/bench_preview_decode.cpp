// Time to preview a 6000 x 4000 camera picture against a full decode of the same file.
#include "images/PreviewLoader.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QPainter>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <functional>

namespace {
constexpr int Runs = 5;
constexpr double LimitMs = 150;

// Colour fields with fine noise of the given strength: 24 gives a file as large as a
// detailed camera picture (about 9 MB), 6 a smooth one (about 2 MB).
bool writePicture(const QString &path, int noise)
{
    QImage image(6000, 4000, QImage::Format_RGB32);
    QRandomGenerator random(42);
    for (int y = 0; y < image.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const int n = int(random.bounded(noise));
            line[x] = qRgb((x / 24 + n) & 255, (y / 16 + n) & 255, ((x + y) / 40 + n) & 255);
        }
    }
    return image.save(path, "jpg", 90);
}

double medianMs(const std::function<bool()> &run)
{
    QList<double> times;
    for (int i = 0; i < Runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        if (!run())
            return -1;
        times << timer.nsecsElapsed() / 1e6;
    }
    std::sort(times.begin(), times.end());
    return times[Runs / 2];
}

// Prints both times for one picture; true when the preview meets both limits.
bool measure(const QString &path, const char *kind)
{
    const double full = medianMs([&] { return !QImageReader(path).read().isNull(); });
    const double preview =
        medianMs([&] { return !PreviewLoader::load(path, QSize(480, 320)).isNull(); });
    const bool ok = full > 0 && preview > 0 && preview < LimitMs && preview < full / 4;
    std::printf("%s picture: 6000 x 4000 JPEG, %.1f MB\n", kind, QFileInfo(path).size() / 1e6);
    std::printf("  full decode:        %7.1f ms (median of %d)\n", full, Runs);
    std::printf("  preview 480 x 320:  %7.1f ms (median of %d)\n", preview, Runs);
    std::printf("  preview/full: %.3f (limit 0.25), preview limit %.0f ms: %s\n", preview / full,
                LimitMs, ok ? "PASS" : "FAIL");
    return ok;
}
} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QString detailed = dir.filePath("detailed.jpg");
    const QString smooth = dir.filePath("smooth.jpg");
    if (!dir.isValid() || !writePicture(detailed, 24) || !writePicture(smooth, 6)) {
        std::fprintf(stderr, "cannot write the test pictures\n");
        return 2;
    }
    const bool detailedOk = measure(detailed, "detailed");
    const bool smoothOk = measure(smooth, "smooth");
    return detailedOk && smoothOk ? 0 : 1;
}
