#pragma once

#include <QByteArray>
#include <QImage>
#include <optional>

// JPEG through libjpeg directly, for the gallery's many large pictures: no per-line
// conversion, decoding at a DCT scale, nothing but the pixels and the ICC profile.
class JpegCodec
{
public:
    // At 1/2, 1/4 or 1/8 of the stored size where asked, into RGB32 with the ICC profile as
    // its colour space. Chroma is replicated, not interpolated: at a reduced scale the later
    // smooth scaling hides the difference, and it saves a tenth of the decoding time.
    // Empty for data libjpeg refuses or a colour model other than YCbCr, RGB or grey (CMYK):
    // the caller falls back to QImageReader, which explains the failure.
    static std::optional<QImage> decode(const QByteArray &data, int denominator);
    // A picture without alpha as a baseline JPEG, 4:2:0, no metadata; empty if libjpeg fails.
    static QByteArray encode(const QImage &image, int quality);
};
