#include "ledger/messages/trademessages.h"
#include "client/strutil.h"
#include "core/settings.h"
#include "ledger/model/ledgerview.h"
#include <QLocale>
#include <QRegularExpression>
#include <cmath>

namespace {
QStringList boxLines(const QString &box)
{
    static const QRegularExpression lineBreak(QStringLiteral("\r\n|\r|\n"));
    return box.split(lineBreak);
}

// Lines 1, 3 and 4: name, street, postal code and town (line 2 is the
// e-mail address).
QStringList postalLines(const QString &addressBox)
{
    const QStringList lines = boxLines(addressBox);
    QStringList out;
    for (int i : {0, 2, 3})
        out << lines.value(i);
    return out;
}

// A decimal number with "." or ","; 0 when the text is not one.
double number(const QString &text)
{
    QString t = text.trimmed();
    t.replace(u',', u'.');
    bool ok = false;
    const double v = t.contains(QChar(0)) ? 0.0 : QLocale::c().toDouble(t, &ok);
    return ok && std::isfinite(v) ? v : 0.0;
}
}

namespace TradeMessages {

int pohja(LedgerMode mode, int itemCount)
{
    const bool bought = mode == LedgerMode::Bought;
    if (itemCount > 1)
        return bought ? 3 : 1;
    return bought ? 2 : 0;
}

QStringList pohjanRivit(const Settings &settings, int page)
{
    switch (page) {
    case 0: return settings.myyd1;
    case 1: return settings.myyd2;
    case 2: return settings.osto1;
    default: return settings.osto2;
    }
}

void asetaPohja(Settings &settings, int page, const QStringList &lines)
{
    switch (page) {
    case 0: settings.myyd1 = lines; break;
    case 1: settings.myyd2 = lines; break;
    case 2: settings.osto1 = lines; break;
    default: settings.osto2 = lines; break;
    }
}

QString pohjanTeksti(const QStringList &lines)
{
    QString text;
    for (const QString &line : lines)
        text += line + QStringLiteral("\r\n");
    return text;
}

QString tayta(const QString &templateText, const TradeMessageData &d)
{
    const QString total = yhteensa(d.partySum, d.postage);
    const std::pair<const char *, QString> values[] = {
        {"%pk%", d.postage + QStringLiteral("€")},
        {"%tn%", d.account},
        {"%lm%", d.itemCount},
        {"%ko%", d.items},
        {"%os%", d.address},
        {"%kn%", d.itemNumber},
        {"%sum%", d.partySum},
        {"%total%", total},
        {"%yht%", total},
    };
    QString text = templateText;
    for (const auto &[placeholder, value] : values)
        text.replace(QLatin1String(placeholder), value, Qt::CaseInsensitive);
    if (d.euroWord)
        text.replace(QStringLiteral("€"), QStringLiteral(" Euroa"));
    return text;
}

QString kohteet(const LedgerView &view, int selectedRow, bool several)
{
    if (selectedRow < 1 || selectedRow >= view.rowCount())
        return QString();
    if (!several)
        return view.cell(LedgerColumn::Nimi, selectedRow);
    QString out;
    for (int r : view.counterpartyRows(selectedRow))
        out += view.cell(LedgerColumn::Nimi, r) + u' ' + view.cell(LedgerColumn::Hinta, r)
               + QStringLiteral("\r\n");
    return out;
}

QString osoiteRivilla(const QString &addressBox)
{
    // No address at all (no row selected) gives no separators either.
    const QStringList lines = postalLines(addressBox);
    if (lines.join(QString()).isEmpty())
        return QString();
    return lines.join(QStringLiteral(", "));
}

QString osoiteLeikepoydalle(const QString &addressBox)
{
    QString out;
    for (const QString &line : postalLines(addressBox))
        out += line + QStringLiteral("\r\n");
    return out;
}

QString lyhinMuoto(double value)
{
    // Fifteen significant digits drop the binary noise of the sum
    // (17.5 + 0.8 is 18.3, not 18.299999999999997).
    QString text = QLocale::c().toString(value, 'g', 15);
    if (text.contains(u'e'))
        text = QLocale::c().toString(value, 'f', QLocale::FloatingPointShortest);
    return text;
}

QString yhteensa(const QString &partySum, const QString &postage)
{
    return lyhinMuoto(number(partySum.left(partySum.size() - 1)) + number(postage))
           + QStringLiteral("€");
}

QString oletusPostikulut()
{
    return QStringLiteral("0.80");
}

QString tarkistaPostikulut(const QString &text)
{
    QString t = text;
    t.replace(u',', u'.');
    return StrUtil::desimaaliluvuksi(t) < 0 ? oletusPostikulut() : t;
}

QString viesti(const Settings &settings, LedgerMode mode, const LedgerView &view, int selectedRow,
               const QString &addressBox, const QString &itemCount, const QString &partySum)
{
    const int count = StrUtil::kokonaisluvuksi(itemCount);
    const bool valid = selectedRow >= 1 && selectedRow < view.rowCount();
    TradeMessageData d;
    d.postage = settings.postikulut;
    d.account = settings.tilinumero;
    d.itemCount = itemCount;
    d.partySum = partySum;
    d.items = kohteet(view, selectedRow, count > 1);
    d.address = osoiteRivilla(addressBox);
    d.itemNumber = valid ? view.cell(LedgerColumn::Kohde, selectedRow) : QString();
    d.euroWord = settings.valuutta == 1;
    return tayta(pohjanTeksti(pohjanRivit(settings, pohja(mode, count))), d);
}

}
