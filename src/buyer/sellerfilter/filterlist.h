#pragma once
// The seller filter's entries (`ListBox2`): listing key + day stamp, kept in
// ascending order without regard to case. The same key may sit in the list
// several times until the next clean-up.
#include <QByteArray>
#include <QString>
#include <QStringList>

class FilterList final {
public:
    const QStringList &entries() const { return m_entries; }
    int size() const { return int(m_entries.size()); }
    bool isEmpty() const { return m_entries.isEmpty(); }

    // Inserts one entry at its sorted place (after any equal ones).
    void add(const QString &entry);
    // Replaces the entries; equal ones keep their given order.
    void replace(QStringList entries);
    void clear() { m_entries.clear(); }

    // All entries in one text, one per line, for substring searches.
    QString joined() const;
    // The same text in UTF-8: a text occurs in the entries exactly when its
    // UTF-8 bytes occur in these bytes, and bytes are searched much faster.
    QByteArray joinedUtf8() const;
    static bool occursIn(const QByteArray &joinedUtf8, const QString &text);

    // jarjestasuodatin: walking back from the second-to-last entry, drop an
    // entry whose key (stamp removed) equals the next entry's key or is
    // shorter than a usable key. Among equal keys the last one, the one with
    // the newest stamp, stays. Returns the number dropped.
    int removeDuplicates();

    // paivitasuodatin: entries without a stamp get `stamp`; entries whose
    // stamp is more than `lifetimeDays` before `today` are dropped; a stamp
    // that is not a whole number keeps its entry. Returns the number dropped.
    int expire(int today, const QString &stamp, int lifetimeDays);

    static bool lessThan(const QString &a, const QString &b);

private:
    QStringList m_entries;
};
