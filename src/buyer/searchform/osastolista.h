#pragma once
// The marketplace's category catalogue `osastolista`: one line per category,
// a type letter, the category number, "=" and the display name:
//   "m" main category, "s" sub-category of the nearest "m" above,
//   "c" leaf of the nearest "s" above.
// Lines without "=" (the closing "xxx" among them) are ignored, and so are
// other type letters. The shipped
// list lives in a Windows-1252 file "osastolista" beside the program; a
// built-in copy stands in when that file is missing or unreadable.
#include <QList>
#include <QString>
#include <QStringList>

struct CategoryNode {
    int number = -1;            // the marketplace's category number; -1 when unreadable
    QString name;
    QList<CategoryNode> children;
};

namespace Osastolista {

// The tree of the given lines. A sub-category before any main category, or a
// leaf before any sub-category, has no parent and is left out.
QList<CategoryNode> luo_puu(const QStringList &lines);

// The lines of a Windows-1252 catalogue file (LF or CR LF line ends).
QStringList lines(const QByteArray &bytes);

// The shipped catalogue: "osastolista" in `folder` when it can be read, else
// the built-in copy.
QStringList lataa(const QString &folder);

} // namespace Osastolista
