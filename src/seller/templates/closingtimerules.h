#pragma once
// The arithmetic of the closing-time panel: days from now to the chosen
// closing moment, the apply button's caption, the selection kept over
// midnight, and the start and end texts written into the new-listing form.
#include <QDateTime>
#include <QString>

// The closing the user has chosen: day `dayIndex` after today (0 = today)
// at `hour`:`minute`.
struct ClosingChoice {
    int dayIndex = -1;
    int hour = 0;
    int minute = 0;
};

// The four form fields of a scheduled opening.
struct ClosingFormTimes {
    QString startDate;   // DD.MM.YY of now + 60 s
    QString startTime;   // HH:MM of now + 60 s
    QString endDate;     // DD.MM.YY of the closing moment
    QString endTime;     // HH:MM of the closing moment
};

namespace ClosingTimeRules {
constexpr int kLastDay = 120;        // the day list runs from today to today + 120
constexpr int kAfterToday = 3;       // the entry chosen at start and when today was chosen at midnight

// Days from `now` to the choice, counted from now's hour, minute and second:
// index + (H - h)/24 + (M - m)/1440 - s/86400.
double days(const QDateTime &now, const ClosingChoice &choice);
// The apply button is enabled for 0 <= days <= 120.
bool inReach(double days);
// At most four decimals, no trailing zeros, "." as the decimal point.
QString caption(double days);
// The selection after the day changed: one entry up, so the same calendar
// date stays chosen; today (entry 0) becomes the entry three days ahead.
int selectionAfterDayChange(int previous);
// Start now (+60 s) and end at the choice's day at H:M:00.
ClosingFormTimes formTimes(const QDateTime &now, const ClosingChoice &choice);
}
