#pragma once
// Counterparty totals for the statistics. A row's counterparty cell
// ("Name/123") is keyed like the ledger's counterparty key (spaces and tabs
// dropped, lower case, cut at the first "/"), but read in place: a row of a
// counterparty already seen costs no allocation.
#include "ledger/statistics/salesstatistics.h"
#include <QStringView>
#include <vector>

class PartyTally final {
public:
    PartyTally();

    // Adds one trade of `cents` to the counterparty of `cell`; a cell whose
    // key is empty counts for nobody.
    void add(QStringView cell, qint64 cents);

    // The `count` largest totals, largest first; equal totals by trade
    // count, then by key.
    QVector<PartySum> best(int count) const;
    int size() const { return m_used; }

private:
    struct Slot {
        size_t hash = 0;
        PartySum sum;   // an empty key marks a free slot
    };
    static size_t hashKey(QStringView cell, bool &empty);
    static bool sameKey(QStringView cell, const QString &key);
    static QString makeKey(QStringView cell);
    void grow();

    std::vector<Slot> m_slots;
    int m_used = 0;
};
