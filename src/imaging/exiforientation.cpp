#include "imaging/exiforientation.h"

#include <QTransform>

namespace ExifOrientation {

namespace {
// Reads TIFF integers in the byte order the EXIF block declares.
struct TiffReader {
    const uchar *data;
    int size;
    bool little;

    bool has(int offset, int length) const
    {
        return offset >= 0 && length >= 0 && offset <= size - length;
    }
    int u16(int offset) const
    {
        const int a = data[offset], b = data[offset + 1];
        return little ? (a | b << 8) : (a << 8 | b);
    }
    qint64 u32(int offset) const
    {
        const qint64 a = data[offset], b = data[offset + 1], c = data[offset + 2], d = data[offset + 3];
        return little ? (a | b << 8 | c << 16 | d << 24) : (a << 24 | b << 16 | c << 8 | d);
    }
};
constexpr int kOrientationTag = 0x0112;
constexpr int kShortType = 3;
}

int fromApp1(const QByteArray &payload)
{
    if (!payload.startsWith(QByteArray("Exif\0\0", 6)))
        return 1;
    const auto *tiff = reinterpret_cast<const uchar *>(payload.constData()) + 6;
    const int size = payload.size() - 6;
    if (size < 8 || (tiff[0] != tiff[1]) || (tiff[0] != 'I' && tiff[0] != 'M'))
        return 1;
    const TiffReader r{tiff, size, tiff[0] == 'I'};
    if (r.u16(2) != 42)
        return 1;
    const qint64 ifd = r.u32(4);
    if (ifd > size || !r.has(static_cast<int>(ifd), 2))
        return 1;
    const int count = r.u16(static_cast<int>(ifd));
    for (int i = 0; i < count; ++i) {
        const int entry = static_cast<int>(ifd) + 2 + i * 12;
        if (!r.has(entry, 12))
            return 1;
        if (r.u16(entry) != kOrientationTag)
            continue;
        if (r.u16(entry + 2) != kShortType)
            return 1;
        const int value = r.u16(entry + 8);
        return value >= 1 && value <= 8 ? value : 1;
    }
    return 1;
}

bool swapsSides(int orientation)
{
    return orientation >= 5 && orientation <= 8;
}

QImage applied(const QImage &image, int orientation)
{
    const auto turned = [](const QImage &img, int degrees) {
        return img.transformed(QTransform().rotate(degrees));
    };
    switch (orientation) {
    case 2: return image.mirrored(true, false);
    case 3: return turned(image, 180);
    case 4: return image.mirrored(false, true);
    case 5: return turned(image.mirrored(false, true), 90);
    case 6: return turned(image, 90);
    case 7: return turned(image.mirrored(true, false), 90);
    case 8: return turned(image, 270);
    default: return image;
    }
}

} // namespace ExifOrientation
