#pragma once
// JPEG through libjpeg-turbo: decoding with its DCT scaling (a large photo
// meant for a small picture is decoded at 1/2, 1/4 or 1/8 of its size) and
// encoding at a quality. Every fault of the library comes back as a failed
// result; nothing is allocated before the header's size has been checked.
#include <QByteArray>
#include <QImage>
#include <QSize>

namespace JpegCodec {

struct Decoded {
    QImage image;        // RGB888, EXIF orientation applied; null on failure
    QSize original;      // upright size before any scaling
};

// Decodes `bytes` for a picture that will be shrunk into the `limit` box
// (ShrinkRule): the smallest DCT scale whose result still covers the shrunk
// size is used; an empty limit decodes at full size. Refused (null image):
// not a JPEG, truncated data, more than `maxPixels` pixels in the header.
Decoded decode(const QByteArray &bytes, QSize limit, qint64 maxPixels);

// The size a scaled decode of a width x height picture gives with 1/denom.
QSize scaledSize(QSize size, int denom);
// The largest denominator of 8, 4, 2, 1 whose scaled size covers `target`.
int scaleDenominator(QSize size, QSize target);

// A JPEG of an RGB888 picture at `quality`; empty on failure.
QByteArray encode(const QImage &rgb888, int quality);

} // namespace JpegCodec
