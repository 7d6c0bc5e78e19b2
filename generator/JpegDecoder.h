#pragma once

#include <QByteArray>
#include <QImage>
#include <optional>

// Decodes a JPEG with libjpeg directly, at 1/2, 1/4 or 1/8 of its size where asked, into
// RGB32 with its ICC profile as the colour space and no other metadata. Chroma is
// upsampled by replication: at a reduced scale the later smooth scaling hides the
// difference, and it saves a tenth of the decoding time.
class JpegDecoder
{
public:
    // Empty for data libjpeg refuses or a colour model other than YCbCr, RGB or grey
    // (CMYK): the caller falls back to QImageReader, which explains the failure.
    static std::optional<QImage> decode(const QByteArray &data, int denominator);
};
