#pragma once
// The item link list `ListBox1` behind the button "-> Seuraava kohde": the
// item links of the last listing page in document order (a listing usually
// occurs several times in a row, picture link and title link) and the entry
// selected last. Plain data, shown by no widget; ResultPageTools fills it
// from the page.
#include <QStringList>

class NextListing final {
public:
    // Replaces the list by the links that lead to an item page.
    void linkit(const QStringList &linkAddresses);
    void clear();

    const QStringList &entries() const { return m_entries; }
    int count() const { return int(m_entries.size()); }
    int selected() const { return m_selected; }   // -1 = none

    // Selects the first entry equal to the address, ignoring case; the
    // selection stays when there is none.
    void selectEqual(const QString &address);

    // `seuraava`: the entry to open next from the page the address box
    // shows, "" when the list is empty. Every copy of the shown listing is
    // stepped over; on the last listing it is the last entry again.
    QString seuraava(const QString &addressBoxText);

private:
    QStringList m_entries;
    int m_selected = -1;
};
