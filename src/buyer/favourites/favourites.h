#pragma once
// Favourite sellers and favourite searches: two short lists kept sorted
// without regard to case, stored with the settings (`suosikkimyyjat`,
// `suosikkihaut`). This class only keeps the lists; the tool bar button, the
// menu items and the overview page are in favouritestool.h.
#include <QStringList>

struct Settings;

class Favourites final {
public:
    explicit Favourites(Settings &settings);

    // The lists in the order the overview shows them (sorted first, so a
    // list read from the settings file in file order is in order too).
    const QStringList &sellers();
    const QStringList &searches();

    // Tool bar: adds the seller unless one equal to it (without regard to
    // case) is there; true when added.
    bool addSeller(const QString &name);
    // Menu: the name counts as present when a favourite seller begins with
    // it (without regard to case); true when added.
    bool addSellerByName(const QString &name);
    // Deletes the first favourite seller equal to the name (without regard
    // to case); false when there is none.
    bool removeSeller(const QString &name);
    // Adds a search address unless an equal one (without regard to case) is
    // there; true when added.
    bool addSearch(const QString &address);
    // Deletes the search at a position of the overview; false when the
    // position no longer exists.
    bool removeSearchAt(int position);

    // The list order: without regard to case, ties in the exact text.
    static void sortList(QStringList &list);

private:
    static bool containsNoCase(const QStringList &list, const QString &text);
    static void insertSorted(QStringList &list, const QString &text);

    QStringList &m_sellers;
    QStringList &m_searches;
};
