#pragma once
// Date and time texts of the program clock: the window caption, the day
// stamp, and the date and time strings the marketplace's forms expect.
#include <QDateTime>
#include <QString>

namespace ClockFormat {
// "maanantai" .. "sunnuntai" (capitalised: "Maanantai" ..), Monday = 1.
QString weekdayName(int dayOfWeek, bool capitalised = false);
// "dddd d.m. tt" under the Finnish locale: "maanantai 3.2. 9:05:07".
QString captionTime(const QDateTime &dt);
QString caption(const QString &prefix, const QDateTime &dt, const QString &suffix);
// Day serial: days since 30 December 1899 with the time as fraction.
double daySerial(const QDateTime &dt);
// ":" + the day serial rounded to the nearest whole day.
QString dayStamp(const QDateTime &dt);
// A day item of the scheduled-opening list: "Maanantai  3.2".
QString dayItem(const QDate &date);
// A number with at least two digits.
QString twoDigits(int n);

// Marketplace form strings; `now` is the program clock.
QString wwwdatenow(const QDateTime &now);               // dd.mm.yy of now + 60 s
QString wwwtimenow(const QDateTime &now);               // hh:mm of now + 60 s
// Mode 2 first sets the hour and minute (second 0), then both offsets in
// seconds are added.
QDateTime wwwmoment(const QDateTime &now, qint64 offset1, qint64 offset2, int minute, int hour, int mode);
QString wwwdate(const QDateTime &now, qint64 offset1, qint64 offset2, int minute, int hour, int mode);
QString wwwtime(const QDateTime &now, qint64 offset1, qint64 offset2, int minute, int hour, int mode);

// Replace one field of a date-time, keeping the rest (milliseconds too).
QDateTime withHour(const QDateTime &dt, int hour);
QDateTime withMinute(const QDateTime &dt, int minute);
QDateTime withSecond(const QDateTime &dt, int second);
}
