#include "imaging/picturefile.h"

#include "imaging/completeness.h"
#include "imaging/jpegcodec.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QPainter>

namespace PictureFile {

namespace {

constexpr int kReaderAllocationMb = 512;

bool sizeAcceptable(QSize size)
{
    return size.width() >= kMinSide && size.height() >= kMinSide
           && static_cast<qint64>(size.width()) * size.height() <= kMaxPixels;
}

QImage toRgb888(const QImage &image)
{
    if (image.format() == QImage::Format_RGB888)
        return image;
    if (!image.hasAlphaChannel())
        return image.convertToFormat(QImage::Format_RGB888);
    QImage out(image.size(), QImage::Format_RGB888);
    if (out.isNull())
        return out;
    out.fill(Qt::white);
    QPainter painter(&out);
    painter.drawImage(0, 0, image);
    return out;
}

Opened openJpeg(const QByteArray &bytes, QSize limit)
{
    const JpegCodec::Decoded d = JpegCodec::decode(bytes, limit, kMaxPixels);
    if (d.image.isNull() || !sizeAcceptable(d.original))
        return {};
    return Opened{d.image, d.original};
}

// `format` empty: the reader decides by the content.
Opened openWithReader(const QByteArray &bytes, const QByteArray &format)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, format);
    reader.setAutoDetectImageFormat(format.isEmpty());
    reader.setAllocationLimit(kReaderAllocationMb);
    reader.setAutoTransform(true);
    if (!reader.canRead())
        return {};
    QSize size = reader.size();
    if (size.isValid() && reader.transformation().testFlag(QImageIOHandler::TransformationRotate90))
        size.transpose();
    if (size.isValid() && !sizeAcceptable(size))
        return {};
    QImage image;
    if (!reader.read(&image) || image.isNull() || !sizeAcceptable(image.size()))
        return {};
    const QImage rgb = toRgb888(image);
    if (rgb.isNull())
        return {};
    return Opened{rgb, image.size()};
}

bool looksLikeJpeg(const QByteArray &bytes)
{
    return bytes.startsWith("\xFF\xD8\xFF");
}

} // namespace

QByteArray formatForExtension(const QString &path)
{
    const QString ext = QFileInfo(path).suffix().toLower();
    if (ext == QLatin1String("jpg") || ext == QLatin1String("jpeg") || ext == QLatin1String("jpe")
        || ext == QLatin1String("jfif"))
        return "jpeg";
    if (ext == QLatin1String("tif") || ext == QLatin1String("tiff"))
        return "tiff";
    for (const char *known : {"png", "gif", "bmp", "webp", "psp"}) {
        if (ext == QLatin1String(known))
            return known;
    }
    return {};
}

Opened openpicture(const QString &path, QSize limit)
{
    const QByteArray format = formatForExtension(path);
    if (format == "psp")
        return {};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() <= 0 || file.size() > kMaxFileBytes)
        return {};
    const QByteArray bytes = file.readAll();
    if (bytes.size() != file.size())
        return {};
    if (format == "jpeg" || (format.isEmpty() && looksLikeJpeg(bytes)))
        return openJpeg(bytes, limit);
    if ((format == "gif" && !Completeness::gifComplete(bytes))
        || (format == "bmp" && !Completeness::bmpComplete(bytes)))
        return {};
    return openWithReader(bytes, format);
}

} // namespace PictureFile
