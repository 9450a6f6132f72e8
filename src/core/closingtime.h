#pragma once
// The stored closing choice of the scheduled opening: "<day item>:<hh>:<mm>",
// where a day item is "Maanantai  3.4" (weekday, two blanks, d.m).
#include <QString>
#include <QStringList>

namespace ClosingTime {
struct Choice {
    int dayIndex = -1;   // item of the day list to select; -1 keeps the selection
    QString hour;        // raw texts for e1 / e2, before checkField()
    QString minute;
};

// Reads the value stored after "Sulkeutumisaika:". Day items 1..13 are
// tried; every item whose text occurs in the value is taken, so the last
// match wins. The hour is the two characters after the first ":", the
// minute the two starting four characters after it.
Choice parse(const QString &value, const QStringList &dayItems);

// Time check of an hour (max 23) or minute (max 59) field: not a whole
// number or negative -> "00", above max -> max, else two digits.
QString checkField(const QString &text, int max);

// The text the settings file stores.
QString text(const QString &dayItem, const QString &hour, const QString &minute);
}
