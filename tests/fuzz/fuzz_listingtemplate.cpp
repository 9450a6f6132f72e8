// The listing-template file (".ilm"). A file is loaded only when it holds a
// template line (or is empty), and a template written and read back is the
// same template.
#include "fuzzsupport.h"
#include "ledgerfuzz.h"
#include "seller/templates/listingtemplate.h"

namespace {
// Reading tidies values on purpose (the first decimal comma becomes a point,
// "<RV>" marks become line breaks or go, quotes of the description become
// apostrophes, every line break CR LF), so only a template those rules leave
// alone is compared after a round trip.
TListingTemplate tidied(TListingTemplate t)
{
    for (QString *v : {&t.increase, &t.price, &t.startprice, &t.deliveryPrice, &t.vat})
        v->remove(u',');
    t.description.remove(u'<').replace(u'"', u'\'');
    for (QString *v : {&t.deliveryTerms, &t.paymentTerms}) {
        v->remove(u'<');
        v->replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
        v->replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
    }
    return t;
}
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = Fuzz::raw(data, size);
    int known = 0;
    const TListingTemplate read = TemplateFile::read(bytes, &known);

    const QString path = Fuzz::scratch() + QStringLiteral("pohja.ilm");
    Fuzz::writeBytes(path, bytes);
    TListingTemplate loaded;
    loaded.title = QStringLiteral("ennallaan");
    const TListingTemplate before = loaded;
    QString error;
    const bool ok = TemplateFile::load(path, &loaded, &error);
    FUZZ_CHECK(ok == (known > 0 || bytes.isEmpty()));   // an empty file is an empty template
    FUZZ_CHECK(ok ? loaded == read : (loaded == before && !error.isEmpty()));

    const TListingTemplate clean = tidied(read);
    FUZZ_CHECK(TemplateFile::read(TemplateFile::write(clean)) == clean);
    return 0;
}
