#pragma once
// Picture files to 24-bit pictures (`openpicture`). The decoder is chosen by
// the file's extension: JPEG through libjpeg-turbo (JpegCodec), PNG, GIF,
// BMP, TIFF and WebP through Qt's image readers; a file whose content is not
// what its extension says is refused. An extension no decoder claims goes to
// the general loader, which looks at the content. Paint Shop Pro pictures
// (".psp") are refused. Sizes are checked from the header before any pixel
// is decoded, so a forged header cannot make the program allocate gigabytes.
#include <QImage>
#include <QSize>
#include <QString>

namespace PictureFile {

// Larger pictures are refused (a 100-megapixel camera still fits).
constexpr qint64 kMaxPixels = 120LL * 1000 * 1000;
// Larger files are refused without reading them.
constexpr qint64 kMaxFileBytes = 256LL * 1024 * 1024;
// Pictures narrower or lower than this are refused.
constexpr int kMinSide = 10;

struct Opened {
    QImage image;     // Format_RGB888, upright; null when refused
    QSize original;   // upright size in the file
    bool ok() const { return !image.isNull(); }
};

// Decodes the file; `limit` is the box the picture will be shrunk into
// (lets JPEG decode at a reduced scale; empty = full size). Transparent
// parts are put on white.
Opened openpicture(const QString &path, QSize limit = QSize());

// The reader format bound to an extension ("jpeg", "png", ... ), "psp" for
// Paint Shop Pro, empty when no decoder claims it.
QByteArray formatForExtension(const QString &path);

}
