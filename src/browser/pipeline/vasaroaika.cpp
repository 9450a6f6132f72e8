#include "browser/pipeline/vasaroaika.h"
#include "browser/engine/document.h"
#include "core/programclock.h"
#include "core/wholenumber.h"

namespace VasaroAika {

namespace {
bool toNumber(QString text, int *out)
{
    const std::optional<int> n = WholeNumber::readDigits(QStringView(text).trimmed());
    if (n)
        *out = *n;
    return n.has_value();
}

// The day is the two characters before the first "." with spaces removed.
// When the clock text follows its tag directly ("clock_alt>4.3.2022") the
// first of them is not a digit: only the digits count.
bool dayNumber(const QString &twoChars, int *out)
{
    QString t = twoChars;
    t.remove(u' ');
    while (!t.isEmpty() && !t.at(0).isDigit())
        t.remove(0, 1);
    return !t.isEmpty() && toNumber(t, out);
}
}

std::optional<QDateTime> parse(const QString &bodyOuterHtml)
{
    QString text = bodyOuterHtml;
    text.remove(u'"');
    text.remove(u'\'');
    const int marker = text.toLower().indexOf(QLatin1String("clock_alt"));
    const QString piece = text.mid(marker < 0 ? 0 : marker, 100);

    const int dot1 = piece.indexOf(u'.');
    if (dot1 < 0)
        return std::nullopt;
    const int dot2 = piece.indexOf(u'.', dot1 + 1);
    if (dot2 < 0)
        return std::nullopt;
    int day = 0, month = 0, year = 0;
    if (!dayNumber(piece.mid(qMax(0, dot1 - 2), qMin(2, dot1)), &day)
        || !toNumber(piece.mid(dot1 + 1, dot2 - dot1 - 1), &month)
        || !toNumber(piece.mid(dot2 + 1, 4), &year))
        return std::nullopt;

    int hour = 0, minute = 0, second = 0;
    const QString after = piece.mid(dot2 + 1);
    const int colon = after.indexOf(u':');
    if (colon > 1) {
        if (!toNumber(after.mid(colon - 2, 2), &hour) || !toNumber(after.mid(colon + 1, 2), &minute)
            || !toNumber(after.mid(colon + 4, 2), &second))
            return std::nullopt;
    }
    const QDate date(year, month, day);
    const QTime time(hour, minute, second);
    if (!date.isValid() || !time.isValid())
        return std::nullopt;
    return QDateTime(date, time);
}

QDateTime vasaroaikasivulta(Document &document, const ProgramClock &clock, bool *found)
{
    const std::optional<QDateTime> time =
        document.isHtml() ? parse(document.body(Document::OuterHtml).data().outerHTML) : std::nullopt;
    if (found)
        *found = time.has_value();
    return time.value_or(clock.kellonaika());
}

}
