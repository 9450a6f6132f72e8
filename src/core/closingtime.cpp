#include "closingtime.h"
#include "wholenumber.h"

ClosingTime::Choice ClosingTime::parse(const QString &value, const QStringList &dayItems)
{
    Choice c;
    const int last = qMin(13, int(dayItems.size()) - 1);
    for (int i = 1; i <= last; ++i) {
        if (!dayItems[i].isEmpty() && value.contains(dayItems[i]))
            c.dayIndex = i;
    }
    // With no colon the fields come from the start of the value, as the
    // position arithmetic gives; the time check then tidies them.
    const int colon = value.indexOf(u':');
    c.hour = value.mid(colon + 1, 2);
    c.minute = value.mid(colon + 4, 2);
    return c;
}

QString ClosingTime::checkField(const QString &text, int max)
{
    const std::optional<int> n = WholeNumber::read(QStringView(text).trimmed());
    if (!n || *n < 0)
        return QStringLiteral("00");
    return QStringLiteral("%1").arg(qMin(*n, max), 2, 10, QLatin1Char('0'));
}

QString ClosingTime::text(const QString &dayItem, const QString &hour, const QString &minute)
{
    return dayItem + u':' + hour + u':' + minute;
}
