#include "wholenumber.h"
#include <limits>

namespace WholeNumber {

namespace {
// The magnitude of a run of ASCII digits, or nothing; stops counting once it
// is past any int so that long runs cannot overflow.
std::optional<qint64> magnitude(QStringView digits)
{
    if (digits.isEmpty())
        return std::nullopt;
    constexpr qint64 cap = qint64(std::numeric_limits<int>::max()) + 2;
    qint64 value = 0;
    for (const QChar c : digits) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
        value = qMin(cap, value * 10 + (c.unicode() - u'0'));
    }
    return value;
}

std::optional<int> inRange(qint64 value)
{
    if (value < std::numeric_limits<int>::min() || value > std::numeric_limits<int>::max())
        return std::nullopt;
    return int(value);
}
} // namespace

std::optional<int> readDigits(QStringView text)
{
    const std::optional<qint64> m = magnitude(text);
    return m ? inRange(*m) : std::nullopt;
}

std::optional<int> read(QStringView text)
{
    if (text.isEmpty())
        return std::nullopt;
    const bool negative = text.front() == u'-';
    const bool sign = negative || text.front() == u'+';
    const std::optional<qint64> m = magnitude(sign ? text.mid(1) : text);
    if (!m)
        return std::nullopt;
    return inRange(negative ? -*m : *m);
}

}
