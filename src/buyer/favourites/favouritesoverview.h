#pragma once
// The favourites overview page shown in the preview browser: its HTML, the
// labels of a saved search, the address decoding of a search added from the
// tool bar, and what a click on one of the page's links means.
#include <QString>
#include <QStringList>

namespace FavouritesOverview {

// "%" + two hexadecimal digits is that byte, "%%" is "%", "+" is a space.
// The bytes are read as UTF-8, or as Windows-1252 when they are not UTF-8.
QString percentDecode(const QString &address);

// The label of a key in an (already lower-cased) address: the text after the
// key's first occurrence up to the next "/", "&", "=" or "?" (one such
// character right after the key is skipped); the default when the key is
// missing or the text is empty; over 25 characters: 23 and "..".
QString label(const QString &address, const QString &key, const QString &defaultLabel);
// The words label of a saved search ("" when none).
QString wordsLabel(const QString &address);
// The categories label: "category", else "cat=", else "Kaikki".
QString categoriesLabel(const QString &address);

// The two tables, sellers first. Names and addresses go in as they are,
// except that '"', '<' and '>' are written as character references so that
// no entry can end its attribute or add markup of its own.
QString html(const QStringList &sellers, const QStringList &searches, const QString &webBase);

// The information shown instead of the page when both lists are empty.
QString emptyMessage();

// A navigation the preview browser starts.
struct Link {
    enum class Kind {
        Seller,         // cancel; open the seller's listings in the active tab
        DeleteSearch,   // cancel; delete the search at `position`, rebuild the page
        Search,         // cancel; open `target` in the active tab
        Other,          // load in the preview browser
    };
    Kind kind = Kind::Other;
    QString name;        // Seller: the user name
    int position = -1;   // DeleteSearch: -1 when no number can be read
};
Link link(const QString &target);

} // namespace FavouritesOverview
