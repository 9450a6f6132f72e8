#pragma once
// The rules of the e-mail reminder: when it is sent for a listing, what the
// reminder service is told, and how the user is numbered for it. Times are
// the marketplace's wall-clock times; they are kept as UTC date-times only so
// that hour arithmetic never meets a daylight-saving jump.
#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <optional>

namespace ReminderRules {

// The item answer's "closingTime" ("2022-03-11T20:15:00+02:00"): year, month,
// day, hour, minute and second at their fixed places, the offset ignored.
// Nothing when a place is not digits or the date or time does not exist.
std::optional<QDateTime> closingTime(const QString &value);
// The closing-time field of the request: characters 12 to 19 ("20:15:00").
QString closingTimeField(const QString &value);

// Six hours before closing.
QDateTime reminderTime(const QDateTime &closing);
// True when fewer than 8 hours remain before closing, that is, `now` is
// later than two hours before the reminder time.
bool tooLate(const QDateTime &now, const QDateTime &reminder);
// The reminder's time field, "yyyyMMddhh": a reminder before 03 o'clock is
// moved three hours earlier, and no reminder is sent after 21 o'clock.
QString timeField(const QDateTime &reminder);

// A date-time as the rules see it: its date and time of day, no zone.
QDateTime wallClock(const QDateTime &dt);

// The user's number at the reminder service: the 32-bit FNV-1a hash of the
// UTF-8 bytes of the user name, trimmed and in lower case, in decimal.
// Stable across runs and machines; the service keys its reminders by it.
QString userNumber(const QString &userName);

struct Fields {
    QString itemId;
    QString userId;
    QString title;
    QString email;
    QString time;         // timeField
    QString closingTime;  // closingTimeField
};
// The form body: itemid, userid, title, email, aika and closingtime in this
// order, every value URL-encoded from UTF-8 so that "&", "=", "+" or "%" in a
// title cannot break the fields apart.
QByteArray requestBody(const Fields &fields);

} // namespace ReminderRules
