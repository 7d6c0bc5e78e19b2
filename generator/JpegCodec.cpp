#include "generator/JpegCodec.h"

#include <QColorSpace>
#include <QSysInfo>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <jpeglib.h>

namespace {
constexpr int RowsPerRead = 16;
// QImage::Format_RGB32 in memory order; libjpeg fills the alpha byte with 0xFF.
constexpr J_COLOR_SPACE Rgb32Layout =
    QSysInfo::ByteOrder == QSysInfo::LittleEndian ? JCS_EXT_BGRA : JCS_EXT_ARGB;
// QImageReader's own allocation limit, 256 MB of RGB32.
constexpr qint64 MaxPixels = qint64(1) << 26;

struct ErrorExit
{
    jpeg_error_mgr manager;
    std::jmp_buf jump;
};

[[noreturn]] void leave(j_common_ptr info)
{
    std::longjmp(reinterpret_cast<ErrorExit *>(info->err)->jump, 1);
}

// Warnings (a truncated file among them) end the decoding too, so such a file is read the
// way QImageReader has always read it.
void warn(j_common_ptr info, int level)
{
    if (level < 0)
        leave(info);
}

// libjpeg reads and writes a few rows a call: hands `pass` the rows from `next` (the
// scanline counter it advances) on, until `height`.
template <typename Row, typename Pass>
void inRows(const JDIMENSION &next, JDIMENSION height, Row row, Pass pass)
{
    JSAMPROW rows[RowsPerRead];
    while (next < height) {
        const JDIMENSION count = qMin<JDIMENSION>(RowsPerRead, height - next);
        for (JDIMENSION i = 0; i < count; ++i)
            rows[i] = row(int(next + i));
        pass(rows, count);
    }
}

struct Decoding
{
    jpeg_decompress_struct info{};
    ErrorExit error{};
    QImage image;
};

// Holds no object with a destructor between setjmp and any libjpeg call, so the jump
// back skips nothing; everything it makes lives in `d`.
bool run(Decoding &d, const QByteArray &data, int denominator)
{
    if (setjmp(d.error.jump))
        return false;
    jpeg_mem_src(&d.info, reinterpret_cast<const unsigned char *>(data.constData()),
                 static_cast<unsigned long>(data.size()));
    jpeg_save_markers(&d.info, JPEG_APP0 + 2, 0xFFFF);
    jpeg_read_header(&d.info, TRUE);
    if (d.info.jpeg_color_space != JCS_YCbCr && d.info.jpeg_color_space != JCS_RGB &&
        d.info.jpeg_color_space != JCS_GRAYSCALE)
        return false;
    d.info.scale_num = 1;
    d.info.scale_denom = static_cast<unsigned int>(denominator);
    d.info.out_color_space = Rgb32Layout;
    d.info.do_fancy_upsampling = FALSE;
    jpeg_calc_output_dimensions(&d.info);
    if (qint64(d.info.output_width) * d.info.output_height > MaxPixels)
        return false;
    d.image = QImage(int(d.info.output_width), int(d.info.output_height), QImage::Format_RGB32);
    if (d.image.isNull())
        return false;
    JOCTET *icc = nullptr;
    unsigned int iccLength = 0;
    if (jpeg_read_icc_profile(&d.info, &icc, &iccLength)) {
        d.image.setColorSpace(QColorSpace::fromIccProfile(
            QByteArray(reinterpret_cast<const char *>(icc), int(iccLength))));
        std::free(icc);
    }
    jpeg_start_decompress(&d.info);
    inRows(
        d.info.output_scanline, d.info.output_height, [&d](int y) { return d.image.scanLine(y); },
        [&d](JSAMPARRAY rows, JDIMENSION count) { jpeg_read_scanlines(&d.info, rows, count); });
    jpeg_finish_decompress(&d.info);
    return true;
}

struct Encoding
{
    jpeg_compress_struct info{};
    ErrorExit error{};
    unsigned char *bytes = nullptr;
    unsigned long size = 0;
};

bool run(Encoding &e, const QImage &image, int quality)
{
    if (setjmp(e.error.jump))
        return false;
    jpeg_mem_dest(&e.info, &e.bytes, &e.size);
    e.info.image_width = JDIMENSION(image.width());
    e.info.image_height = JDIMENSION(image.height());
    e.info.input_components = 4;
    e.info.in_color_space = Rgb32Layout;
    jpeg_set_defaults(&e.info);
    jpeg_set_quality(&e.info, quality, TRUE);
    jpeg_start_compress(&e.info, TRUE);
    inRows(
        e.info.next_scanline, e.info.image_height,
        [&image](int y) { return const_cast<uchar *>(image.constScanLine(y)); },
        [&e](JSAMPARRAY rows, JDIMENSION count) { jpeg_write_scanlines(&e.info, rows, count); });
    jpeg_finish_compress(&e.info);
    return true;
}

void prepare(ErrorExit &error, jpeg_error_mgr *&manager)
{
    manager = jpeg_std_error(&error.manager);
    error.manager.error_exit = leave;
    error.manager.emit_message = warn;
}
} // namespace

QByteArray JpegCodec::encode(const QImage &image, int quality)
{
    // No copy when it is RGB32 already, as the gallery's pictures are.
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    Encoding e;
    prepare(e.error, e.info.err);
    jpeg_create_compress(&e.info);
    const bool ok = run(e, rgb, quality);
    jpeg_destroy_compress(&e.info);
    QByteArray out;
    if (ok)
        out = QByteArray(reinterpret_cast<const char *>(e.bytes), qsizetype(e.size));
    std::free(e.bytes);
    return out;
}

std::optional<QImage> JpegCodec::decode(const QByteArray &data, int denominator)
{
    Decoding d;
    prepare(d.error, d.info.err);
    jpeg_create_decompress(&d.info);
    const bool ok = run(d, data, denominator);
    jpeg_destroy_decompress(&d.info);
    if (!ok)
        return std::nullopt;
    return std::move(d.image);
}
