#pragma once
#include <QChar>

// The value of one hexadecimal digit (either case), -1 for anything else.
inline int hexDigit(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    if (u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    return -1;
}

// The same for one byte; bytes outside ASCII are no digit.
inline int hexDigit(char c)
{
    return hexDigit(QChar(QLatin1Char(c)));
}
