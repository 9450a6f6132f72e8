#include "seller/templates/closingtimerules.h"
#include "core/clockformat.h"
#include <cmath>

double ClosingTimeRules::days(const QDateTime &now, const ClosingChoice &choice)
{
    const QTime t = now.time();
    return choice.dayIndex + (choice.hour - t.hour()) / 24.0 + (choice.minute - t.minute()) / 1440.0
           - t.second() / 86400.0;
}

bool ClosingTimeRules::inReach(double days)
{
    return days >= 0 && days <= kLastDay;
}

QString ClosingTimeRules::caption(double days)
{
    // Rounded on whole ten-thousandths, so 2.99999999 (from the divisions
    // above) reads 3, and no "-0" comes out of a value just below zero.
    const double rounded = std::round(days * 10000.0) / 10000.0;
    QString text = QString::number(rounded == 0 ? 0.0 : rounded, 'f', 4);
    while (text.contains(u'.') && (text.endsWith(u'0') || text.endsWith(u'.')))
        text.chop(1);
    return text.replace(u',', u'.');
}

int ClosingTimeRules::selectionAfterDayChange(int previous)
{
    return previous > 0 ? previous - 1 : kAfterToday;
}

ClosingFormTimes ClosingTimeRules::formTimes(const QDateTime &now, const ClosingChoice &choice)
{
    const qint64 offset = qint64(choice.dayIndex) * 86400;
    return {ClockFormat::wwwdatenow(now), ClockFormat::wwwtimenow(now),
            ClockFormat::wwwdate(now, offset, 0, choice.minute, choice.hour, 2),
            ClockFormat::wwwtime(now, offset, 0, choice.minute, choice.hour, 2)};
}
