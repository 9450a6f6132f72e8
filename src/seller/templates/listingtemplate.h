#pragma once
// A listing template: the contents of the marketplace's new-listing form kept
// in an ".ilm" file, and that file's format. The file is Windows-1252, one
// "Key:value" line per entry, every line ending CR LF.
#include <QByteArray>
#include <QString>

struct TListingTemplate {
    QString quantity;
    QString sellstyle;
    QString title;
    QString mainCategory;   // form field mainCategoryId
    QString subCategory;    // form field sectionCategoryId, key "Subcategory:"
    QString category;       // form field subCategoryId, key "Category:"
    QString description;
    QString zipcode;
    QString minimumFeedback;
    QString startprice;
    QString price;
    QString increase;
    QString deliveryPrice;
    QString deliveryTerms;
    QString paymentTerms;
    QString classification;
    QString vat;
    bool foreign = false;
    bool paymentMethod1 = false;
    bool paymentMethod2 = false;
    bool paymentMethod3 = false;
    bool deliveryMethod1 = false;
    bool deliveryMethod2 = false;
    bool identificationRequired = false;
    bool republish = false;
    bool allowOffers = false;
    bool marginalTax = false;

    bool operator==(const TListingTemplate &other) const;
};

namespace TemplateFile {
// Files larger than this are not templates and are refused.
constexpr qint64 kMaxBytes = 1024 * 1024;

// Every line break (CR LF, CR or LF) becomes "<RV>", so a text keeps one line.
QString encodeBreaks(const QString &text);
// The file's bytes, lines in their fixed order ("Alv:" only when not empty).
QByteArray write(const TListingTemplate &t);
// Reads the lines in any order, unknown lines skipped, then tidies the values
// (decimal commas, line-break marks, quotes of the description).
TListingTemplate read(const QByteArray &bytes, int *knownLines = nullptr);

// File access: false with a Finnish message in `error` when the file cannot
// be read (missing, unreadable, too large, no template line in it) or
// written (atomically); `out` is left as it was then.
bool load(const QString &path, TListingTemplate *out, QString *error);
bool save(const QString &path, const TListingTemplate &t, QString *error);
}
