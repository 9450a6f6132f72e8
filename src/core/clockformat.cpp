#include "clockformat.h"
#include <cmath>

namespace {
const QDate kEpoch(1899, 12, 30);

QString dateText(const QDateTime &dt)
{
    return ClockFormat::twoDigits(dt.date().day()) + u'.' + ClockFormat::twoDigits(dt.date().month())
           + u'.' + ClockFormat::twoDigits(dt.date().year() - 2000);
}

QString timeText(const QDateTime &dt)
{
    return ClockFormat::twoDigits(dt.time().hour()) + u':' + ClockFormat::twoDigits(dt.time().minute());
}
}

QString ClockFormat::weekdayName(int dayOfWeek, bool capitalised)
{
    static const char *const names[] = {"maanantai", "tiistai", "keskiviikko", "torstai",
                                        "perjantai", "lauantai", "sunnuntai"};
    if (dayOfWeek < 1 || dayOfWeek > 7)
        return QString();
    QString name = QString::fromLatin1(names[dayOfWeek - 1]);
    if (capitalised)
        name[0] = name[0].toUpper();
    return name;
}

QString ClockFormat::captionTime(const QDateTime &dt)
{
    const QDate d = dt.date();
    const QTime t = dt.time();
    return weekdayName(d.dayOfWeek()) + u' ' + QString::number(d.day()) + u'.' + QString::number(d.month())
           + QStringLiteral(". ") + QString::number(t.hour()) + u':' + twoDigits(t.minute()) + u':'
           + twoDigits(t.second());
}

QString ClockFormat::caption(const QString &prefix, const QDateTime &dt, const QString &suffix)
{
    return prefix + captionTime(dt) + suffix;
}

double ClockFormat::daySerial(const QDateTime &dt)
{
    const QTime t = dt.time();
    return double(kEpoch.daysTo(dt.date())) + t.msecsSinceStartOfDay() / 86400000.0;
}

QString ClockFormat::dayStamp(const QDateTime &dt)
{
    // Halves go to the even day, as the marketplace's date arithmetic rounds.
    return QStringLiteral(":") + QString::number(qint64(std::nearbyint(daySerial(dt))));
}

QString ClockFormat::dayItem(const QDate &date)
{
    return weekdayName(date.dayOfWeek(), true) + QStringLiteral("  ") + QString::number(date.day()) + u'.'
           + QString::number(date.month());
}

QString ClockFormat::twoDigits(int n)
{
    return n >= 0 && n < 10 ? QStringLiteral("0") + QString::number(n) : QString::number(n);
}

QString ClockFormat::wwwdatenow(const QDateTime &now) { return dateText(now.addSecs(60)); }
QString ClockFormat::wwwtimenow(const QDateTime &now) { return timeText(now.addSecs(60)); }

QDateTime ClockFormat::wwwmoment(const QDateTime &now, qint64 offset1, qint64 offset2, int minute, int hour,
                                 int mode)
{
    QDateTime t = now;
    if (mode == 2)
        t = withSecond(withMinute(withHour(t, hour), minute), 0);
    return t.addSecs(offset1 + offset2);
}

QString ClockFormat::wwwdate(const QDateTime &now, qint64 offset1, qint64 offset2, int minute, int hour, int mode)
{
    return dateText(wwwmoment(now, offset1, offset2, minute, hour, mode));
}

QString ClockFormat::wwwtime(const QDateTime &now, qint64 offset1, qint64 offset2, int minute, int hour, int mode)
{
    return timeText(wwwmoment(now, offset1, offset2, minute, hour, mode));
}

// Replacing a field is "subtract the current one, add the new one", as plain
// arithmetic on the day count, so no local-time conversion can shift it.
QDateTime ClockFormat::withHour(const QDateTime &dt, int hour)
{
    const QTime t = dt.time();
    return QDateTime(dt.date(), QTime(0, 0)).addMSecs(qint64(hour) * 3600000 + t.minute() * 60000LL
                                                       + t.second() * 1000LL + t.msec());
}

QDateTime ClockFormat::withMinute(const QDateTime &dt, int minute)
{
    const QTime t = dt.time();
    return QDateTime(dt.date(), QTime(0, 0)).addMSecs(t.hour() * 3600000LL + qint64(minute) * 60000
                                                       + t.second() * 1000LL + t.msec());
}

QDateTime ClockFormat::withSecond(const QDateTime &dt, int second)
{
    const QTime t = dt.time();
    return QDateTime(dt.date(), QTime(0, 0)).addMSecs(t.hour() * 3600000LL + t.minute() * 60000LL
                                                       + qint64(second) * 1000 + t.msec());
}
