#include "seller/templates/listingtemplate.h"
#include "core/atomicfile.h"
#include "core/cp1252.h"
#include "core/linefile.h"
#include <QFile>
#include <QFileInfo>
#include <QStringList>

namespace {
using Text = QString TListingTemplate::*;
using Flag = bool TListingTemplate::*;

struct TextKey {
    const char *key;
    Text field;
    bool breaks;   // line breaks encoded as "<RV>"
};
struct FlagKey {
    const char *key;
    Flag field;
};

// Lines 1-8, 10-16 of the file (texts) in their order; flags follow.
const TextKey kTextsBefore[] = {
    {"Quantity:", &TListingTemplate::quantity, false},
    {"Sellstyle:", &TListingTemplate::sellstyle, false},
    {"Title:", &TListingTemplate::title, false},
    {"Maincategory:", &TListingTemplate::mainCategory, false},
    {"Subcategory:", &TListingTemplate::subCategory, false},
    {"Category:", &TListingTemplate::category, false},
    {"Description:", &TListingTemplate::description, true},
    {"Zipcode:", &TListingTemplate::zipcode, false},
};
const TextKey kTextsAfter[] = {
    {"Minfbvalue:", &TListingTemplate::minimumFeedback, false},
    {"Startprice:", &TListingTemplate::startprice, false},
    {"Price:", &TListingTemplate::price, false},
    {"Increase:", &TListingTemplate::increase, false},
    {"Deliveryprice:", &TListingTemplate::deliveryPrice, false},
    {"deliveryTerms:", &TListingTemplate::deliveryTerms, true},
    {"paymentTerms:", &TListingTemplate::paymentTerms, true},
    {"Classification:", &TListingTemplate::classification, false},
};
const FlagKey kFlags[] = {
    {"Buystyle1:", &TListingTemplate::paymentMethod1},
    {"Buystyle2:", &TListingTemplate::paymentMethod2},
    {"Buystyle6:", &TListingTemplate::paymentMethod3},
    {"Deliverystyle1:", &TListingTemplate::deliveryMethod1},
    {"Deliverystyle2:", &TListingTemplate::deliveryMethod2},
    {"Useauth:", &TListingTemplate::identificationRequired},
    {"Republish:", &TListingTemplate::republish},
    {"Hintaehdotus:", &TListingTemplate::allowOffers},
    {"Marginaltax:", &TListingTemplate::marginalTax},
};
const char kForeign[] = "Ulkomaat:";
const char kVat[] = "Alv:";
const char kOldDeliveryTerms[] = "Deliveryother:";
const QString kBreak = QStringLiteral("<RV>");

QString bit(bool on)
{
    return on ? QStringLiteral("1") : QStringLiteral("0");
}

void appendTexts(QStringList &lines, const TListingTemplate &t, const TextKey *begin, const TextKey *end)
{
    for (const TextKey *k = begin; k != end; ++k) {
        const QString &value = t.*(k->field);
        lines << QLatin1String(k->key) + (k->breaks ? TemplateFile::encodeBreaks(value) : value);
    }
}

void firstCommaToPoint(QString &value)
{
    const int at = value.indexOf(u',');
    if (at >= 0)
        value[at] = u'.';
}

// A line for `key` sets the text; a later line for the same field wins.
bool readText(const QString &line, const char *key, QString &field)
{
    const QLatin1String k(key);
    if (!line.startsWith(k))
        return false;
    field = line.mid(k.size());
    return true;
}

bool readFlag(const QString &line, const char *key, bool &field)
{
    const QLatin1String k(key);
    if (!line.startsWith(k))
        return false;
    field = line.mid(k.size()).startsWith(u'1');
    return true;
}

// True when the line held a known key.
bool readLine(const QString &line, TListingTemplate &t)
{
    for (const TextKey &k : kTextsBefore)
        if (readText(line, k.key, t.*(k.field)))
            return true;
    for (const TextKey &k : kTextsAfter)
        if (readText(line, k.key, t.*(k.field)))
            return true;
    for (const FlagKey &k : kFlags)
        if (readFlag(line, k.key, t.*(k.field)))
            return true;
    return readFlag(line, kForeign, t.foreign) || readText(line, kVat, t.vat)
        || readText(line, kOldDeliveryTerms, t.deliveryTerms);
}

void tidy(TListingTemplate &t)
{
    for (QString *v : {&t.increase, &t.price, &t.startprice, &t.deliveryPrice, &t.vat})
        firstCommaToPoint(*v);
    t.description.remove(kBreak);
    t.description.replace(u'"', u'\'');
    const QString crlf = QStringLiteral("\r\n");
    t.deliveryTerms.replace(kBreak, crlf);
    t.paymentTerms.replace(kBreak, crlf);
}
}

bool TListingTemplate::operator==(const TListingTemplate &o) const
{
    for (const TextKey &k : kTextsBefore)
        if (this->*(k.field) != o.*(k.field))
            return false;
    for (const TextKey &k : kTextsAfter)
        if (this->*(k.field) != o.*(k.field))
            return false;
    for (const FlagKey &k : kFlags)
        if (this->*(k.field) != o.*(k.field))
            return false;
    return vat == o.vat && foreign == o.foreign;
}

namespace TemplateFile {

QString encodeBreaks(const QString &text)
{
    // Text fields of the browser give their line breaks as a bare LF: each
    // of CR LF, CR and LF is one break.
    QString out = text;
    out.replace(QStringLiteral("\r\n"), kBreak);
    out.replace(u'\r', kBreak);
    out.replace(u'\n', kBreak);
    return out;
}

QByteArray write(const TListingTemplate &t)
{
    QStringList lines;
    appendTexts(lines, t, std::begin(kTextsBefore), std::end(kTextsBefore));
    lines << QLatin1String(kForeign) + bit(t.foreign);
    appendTexts(lines, t, std::begin(kTextsAfter), std::end(kTextsAfter));
    for (const FlagKey &k : kFlags)
        lines << QLatin1String(k.key) + bit(t.*(k.field));
    if (!t.vat.isEmpty())
        lines << QLatin1String(kVat) + t.vat;
    return LineFile::join(lines);
}

TListingTemplate read(const QByteArray &bytes, int *knownLines)
{
    TListingTemplate t;
    int known = 0;
    for (const QString &line : LineFile::split(bytes))
        known += readLine(line, t) ? 1 : 0;
    tidy(t);
    if (knownLines)
        *knownLines = known;
    return t;
}

bool load(const QString &path, TListingTemplate *out, QString *error)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("Ilmoituspohjaa ei voi lukea:\r\r%1").arg(path);
        return false;
    }
    if (f.size() > kMaxBytes) {
        *error = QStringLiteral("Tiedosto %1 on liian suuri ilmoituspohjaksi.").arg(path);
        return false;
    }
    const QByteArray bytes = f.read(kMaxBytes + 1);
    if (f.error() != QFileDevice::NoError || bytes.size() > kMaxBytes) {
        *error = QStringLiteral("Ilmoituspohjaa ei voi lukea:\r\r%1").arg(path);
        return false;
    }
    int known = 0;
    const TListingTemplate t = read(bytes, &known);
    // A file without a single template line is some other file.
    if (known == 0 && !bytes.isEmpty()) {
        *error = QStringLiteral("Tiedosto %1 ei ole ilmoituspohja.").arg(path);
        return false;
    }
    *out = t;
    return true;
}

bool save(const QString &path, const TListingTemplate &t, QString *error)
{
    if (AtomicFile::write(path, write(t)))
        return true;
    *error = QStringLiteral("Ilmoituspohjaa ei voi tallentaa:\r\r%1").arg(path);
    return false;
}
}
