#pragma once
// Generated picture files for the picture tests: encoded with Qt's own
// writers (not this program's encoder), plus the byte surgery that makes the
// bad ones (forged sizes, EXIF orientation, truncation).
#include <QBuffer>
#include <QByteArray>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QPainter>
#include <QString>

namespace Fixtures {

// Left half red, right half blue: shows which way a picture was turned.
inline QImage halves(int w, int h)
{
    QImage img(w, h, QImage::Format_RGB888);
    QPainter p(&img);
    p.fillRect(0, 0, w / 2, h, QColor(220, 20, 20));
    p.fillRect(w / 2, 0, w - w / 2, h, QColor(20, 20, 220));
    return img;
}

inline QByteArray encoded(const QImage &img, const char *format, int quality = 90)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    img.save(&buffer, format, quality);
    return bytes;
}

inline bool write(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

inline void putBE16(QByteArray &b, int at, int v)
{
    b[at] = char(v >> 8);
    b[at + 1] = char(v & 0xFF);
}

inline void putBE32(QByteArray &b, int at, quint32 v)
{
    for (int i = 0; i < 4; ++i)
        b[at + i] = char((v >> (24 - 8 * i)) & 0xFF);
}

inline void putLE32(QByteArray &b, int at, quint32 v)
{
    for (int i = 0; i < 4; ++i)
        b[at + i] = char((v >> (8 * i)) & 0xFF);
}

inline quint32 crc32(const QByteArray &data)
{
    quint32 c = 0xFFFFFFFFu;
    for (const char ch : data) {
        c ^= quint8(ch);
        for (int k = 0; k < 8; ++k)
            c = (c >> 1) ^ (0xEDB88320u & (0u - (c & 1u)));
    }
    return ~c;
}

// A JPEG whose frame header claims w x h.
inline QByteArray jpegClaiming(int w, int h)
{
    QByteArray b = encoded(halves(16, 16), "jpg");
    const int sof = b.indexOf("\xFF\xC0");
    putBE16(b, sof + 5, h);
    putBE16(b, sof + 7, w);
    return b;
}

// A PNG whose header claims w x h (with a valid header checksum).
inline QByteArray pngClaiming(int w, int h)
{
    QByteArray b = encoded(halves(16, 16), "png");
    putBE32(b, 16, quint32(w));
    putBE32(b, 20, quint32(h));
    putBE32(b, 29, crc32(b.mid(12, 17)));
    return b;
}

// Qt writes no GIF: the halves picture as a four-colour GIF, its LZW stream
// kept at three-bit codes by a clear code before every pixel.
inline QByteArray gifHalves(int w, int h)
{
    QByteArray b("GIF89a");
    const auto le16 = [&b](int v) { b.append(char(v & 0xFF)).append(char(v >> 8)); };
    le16(w); le16(h);
    b.append(char(0x81)).append('\0').append('\0');
    b.append("\xDC\x14\x14\x14\x14\xDC\0\0\0\xFF\xFF\xFF", 12);
    b.append(char(0x2C)); le16(0); le16(0); le16(w); le16(h); b.append('\0');
    b.append(char(2));
    QByteArray data;
    quint32 bits = 0;
    int count = 0;
    const auto code = [&](int c) {
        bits |= quint32(c) << count;
        count += 3;
        while (count >= 8) { data.append(char(bits & 0xFF)); bits >>= 8; count -= 8; }
    };
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) { code(4); code(x < w / 2 ? 0 : 1); }
    code(5);
    if (count > 0) data.append(char(bits & 0xFF));
    for (int i = 0; i < data.size(); i += 255) {
        const QByteArray block = data.mid(i, 255);
        b.append(char(block.size())).append(block);
    }
    b.append('\0').append(char(0x3B));
    return b;
}

inline QByteArray gifClaiming(int w, int h)
{
    QByteArray b = gifHalves(16, 16);
    b[6] = char(w & 0xFF); b[7] = char(w >> 8);
    b[8] = char(h & 0xFF); b[9] = char(h >> 8);
    return b;
}

inline QByteArray bmpClaiming(int w, int h)
{
    QByteArray b = encoded(halves(16, 16), "bmp");
    putLE32(b, 18, quint32(w));
    putLE32(b, 22, quint32(h));
    return b;
}

// A JPEG with an EXIF block recording `orientation`.
inline QByteArray jpegWithOrientation(const QImage &img, int orientation)
{
    QByteArray exif("Exif\0\0MM\0*\0\0\0\x08\0\x01\x01\x12\0\x03\0\0\0\x01\0\0\0\0\0\0\0\0", 32);
    exif[25] = char(orientation);
    QByteArray segment("\xFF\xE1\0\0", 4);
    putBE16(segment, 2, exif.size() + 2);
    QByteArray b = encoded(img, "jpg");
    return b.left(2) + segment + exif + b.mid(2);
}

// Size of a written JPEG as an independent decoder (Qt's jpeg plugin) sees it.
inline QSize independentJpegSize(const QString &path)
{
    QImageReader reader(path, "jpeg");
    reader.setAutoDetectImageFormat(false);
    reader.setAutoTransform(false);
    const QImage img = reader.read();
    return img.isNull() ? QSize() : img.size();
}

} // namespace Fixtures
