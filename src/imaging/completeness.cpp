#include "imaging/completeness.h"

#include <QtGlobal>

namespace Completeness {

namespace {

qint64 le(const QByteArray &b, int at, int bytes)
{
    qint64 v = 0;
    for (int i = bytes - 1; i >= 0; --i)
        v = v << 8 | quint8(b.at(at + i));
    return v;
}

// Position after a chain of sub-blocks starting at `at`; -1 when cut off.
qint64 skipSubBlocks(const QByteArray &b, qint64 at)
{
    while (at < b.size()) {
        const int length = quint8(b.at(static_cast<int>(at)));
        if (length == 0)
            return at + 1;
        at += 1 + length;
    }
    return -1;
}

int colourTableBytes(quint8 packed)
{
    return (packed & 0x80) ? 3 * (2 << (packed & 0x07)) : 0;
}

} // namespace

bool gifComplete(const QByteArray &b)
{
    if (b.size() < 13)
        return false;
    qint64 at = 13 + colourTableBytes(quint8(b.at(10)));
    while (at >= 0 && at < b.size()) {
        const quint8 kind = quint8(b.at(static_cast<int>(at)));
        if (kind == 0x21) {                       // extension: label, sub-blocks
            at = at + 2 <= b.size() ? skipSubBlocks(b, at + 2) : -1;
        } else if (kind == 0x2C) {                // image: descriptor, table, code size, data
            if (at + 10 > b.size())
                return false;
            at += 10 + colourTableBytes(quint8(b.at(static_cast<int>(at) + 9)));
            return at + 1 <= b.size() && skipSubBlocks(b, at + 1) >= 0;
        } else {
            return false;                         // trailer or garbage before any image
        }
    }
    return false;
}

bool bmpComplete(const QByteArray &b)
{
    if (b.size() < 34 || !b.startsWith("BM"))
        return false;
    const qint64 headerSize = le(b, 14, 4);
    if (headerSize < 40)
        return true;                              // old OS/2 header: left to the reader
    const qint64 compression = le(b, 30, 4);
    if (compression != 0 && compression != 3 && compression != 6)
        return true;
    const qint64 width = static_cast<qint32>(le(b, 18, 4));
    const qint64 height = qAbs(static_cast<qint64>(static_cast<qint32>(le(b, 22, 4))));
    const qint64 bits = le(b, 28, 2);
    const qint64 stride = (width * bits + 31) / 32 * 4;
    return width > 0 && le(b, 10, 4) + stride * height <= b.size();
}

} // namespace Completeness
