#include "buyer/watchlist/reminderrules.h"
#include "client/httputil.h"

namespace ReminderRules {

namespace {
// The number at 1-based characters [from, from + length) when all are digits.
int digitsAt(const QString &text, int from, int length)
{
    int value = 0;
    for (int i = from - 1; i < from - 1 + length; ++i) {
        if (i >= text.size() || text.at(i) < u'0' || text.at(i) > u'9')
            return -1;
        value = value * 10 + (text.at(i).unicode() - u'0');
    }
    return value;
}
}

std::optional<QDateTime> closingTime(const QString &value)
{
    const QDate date(digitsAt(value, 1, 4), digitsAt(value, 6, 2), digitsAt(value, 9, 2));
    const QTime time(digitsAt(value, 12, 2), digitsAt(value, 15, 2), digitsAt(value, 18, 2));
    if (!date.isValid() || !time.isValid() || digitsAt(value, 1, 4) < 0)
        return std::nullopt;
    return QDateTime(date, time, Qt::UTC);
}

QString closingTimeField(const QString &value)
{
    return value.mid(11, 8);
}

QDateTime reminderTime(const QDateTime &closing)
{
    return closing.addSecs(-6 * 3600);
}

bool tooLate(const QDateTime &now, const QDateTime &reminder)
{
    return wallClock(now) > reminder.addSecs(-2 * 3600);
}

QString timeField(const QDateTime &reminder)
{
    QDateTime r = reminder;
    if (r.time().hour() < 3)
        r = r.addSecs(-3 * 3600);
    const int hour = qMin(r.time().hour(), 21);
    return r.date().toString(QStringLiteral("yyyyMMdd")) + QStringLiteral("%1").arg(hour, 2, 10, QLatin1Char('0'));
}

QDateTime wallClock(const QDateTime &dt)
{
    return QDateTime(dt.date(), dt.time(), Qt::UTC);
}

QString userNumber(const QString &userName)
{
    quint32 hash = 2166136261u;
    const QByteArray bytes = userName.trimmed().toLower().toUtf8();
    for (const char c : bytes) {
        hash ^= quint8(c);
        hash *= 16777619u;
    }
    return QString::number(hash);
}

QByteArray requestBody(const Fields &f)
{
    const auto field = [](const char *name, const QString &value) {
        return QLatin1String(name) + u'=' + HttpUtil::HTTPEncode(value);
    };
    const QString body = field("itemid", f.itemId) + u'&' + field("userid", f.userId) + u'&'
        + field("title", f.title) + u'&' + field("email", f.email) + u'&' + field("aika", f.time) + u'&'
        + field("closingtime", f.closingTime);
    return body.toLatin1();
}

} // namespace ReminderRules
