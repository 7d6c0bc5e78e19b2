// Time to preview a 6000 x 4000 camera picture against a full decode of the same file, and
// against the least any decoder of a baseline JPEG must do: reading every coefficient's
// Huffman code (the stream has no index to skip by), measured with libjpeg's coefficient read.
#include "PreviewLoader.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QPainter>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <jpeglib.h>

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

// Entropy decoding alone: every coefficient read, no inverse transform, no colour conversion.
bool readCoefficients(const QString &path)
{
    FILE *file = std::fopen(QFile::encodeName(path).constData(), "rb");
    if (!file)
        return false;
    jpeg_decompress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_decompress(&info);
    jpeg_stdio_src(&info, file);
    const bool ok =
        jpeg_read_header(&info, TRUE) == JPEG_HEADER_OK && jpeg_read_coefficients(&info) != nullptr;
    if (ok)
        jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    std::fclose(file);
    return ok;
}

// Prints the times for one picture; true when the preview meets its limits.
bool measure(const QString &path, const char *kind)
{
    const double full = medianMs([&] { return !QImageReader(path).read().isNull(); });
    const double floor = medianMs([&] { return readCoefficients(path); });
    const double preview =
        medianMs([&] { return !PreviewLoader::load(path, QSize(480, 320)).isNull(); });
    // What the preview can save is the full decode less the floor: it must save three
    // quarters of that, and stay under the absolute limit.
    const double goal = floor + (full - floor) / 4;
    const bool ok = full > 0 && floor > 0 && preview > 0 && preview < LimitMs && preview <= goal;
    std::printf("%s picture: 6000 x 4000 JPEG, %.1f MB\n", kind, QFileInfo(path).size() / 1e6);
    std::printf("  full decode:           %7.1f ms (median of %d)\n", full, Runs);
    std::printf("  coefficients only:     %7.1f ms (floor of any decode, %.3f of full)\n", floor,
                floor / full);
    std::printf("  preview 480 x 320:     %7.1f ms (median of %d)\n", preview, Runs);
    std::printf("  preview/full: %.3f; goal floor + (full - floor)/4 = %.1f ms (%.3f of full), "
                "preview limit %.0f ms: %s\n",
                preview / full, goal, goal / full, LimitMs, ok ? "PASS" : "FAIL");
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
