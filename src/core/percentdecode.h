#pragma once
#include "core/hexdigit.h"
#include <QByteArray>

// Form-encoded bytes decoded: "%" + two hex digits is that byte, "%%" is "%",
// "+" is a space; everything else, a lone or malformed "%" too, is kept.
inline QByteArray percentDecoded(const QByteArray &bytes)
{
    QByteArray out;
    out.reserve(bytes.size());
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const char c = bytes.at(i);
        if (c == '+') {
            out += ' ';
        } else if (c == '%' && i + 1 < bytes.size() && bytes.at(i + 1) == '%') {
            out += '%';
            ++i;
        } else if (c == '%' && i + 2 < bytes.size() && hexDigit(bytes.at(i + 1)) >= 0
                   && hexDigit(bytes.at(i + 2)) >= 0) {
            out += char(hexDigit(bytes.at(i + 1)) * 16 + hexDigit(bytes.at(i + 2)));
            i += 2;
        } else {
            out += c;
        }
    }
    return out;
}
