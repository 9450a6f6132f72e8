#include "cp1252.h"

namespace {
// 0x80..0x9F; 0 marks the five unassigned bytes (decoded as Latin-1 controls).
const char16_t kHigh[32] = {
    0x20AC, 0, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0, 0x017D, 0,
    0, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0, 0x017E, 0x0178};

char encodeChar(char16_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return char(c);
    for (int i = 0; i < 32; ++i) {
        if (kHigh[i] == c || (kHigh[i] == 0 && c == 0x80 + i))
            return char(0x80 + i);
    }
    return '?';
}
}

QByteArray Cp1252::encode(const QString &text)
{
    QByteArray out;
    out.reserve(text.size());
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar ch = text.at(i);
        if (ch.isSurrogate()) {
            // A pair is one character the code page lacks: one "?". A lone
            // half of a pair is one as well.
            if (ch.isHighSurrogate() && i + 1 < n && text.at(i + 1).isLowSurrogate())
                ++i;
            out.append('?');
            continue;
        }
        out.append(encodeChar(ch.unicode()));
    }
    return out;
}

QString Cp1252::decode(const QByteArray &bytes)
{
    QString out;
    out.resize(bytes.size());
    QChar *d = out.data();
    for (const char b : bytes) {
        const unsigned char u = static_cast<unsigned char>(b);
        if (u >= 0x80 && u < 0xA0 && kHigh[u - 0x80] != 0)
            *d++ = QChar(kHigh[u - 0x80]);
        else
            *d++ = QChar(u);
    }
    return out;
}
