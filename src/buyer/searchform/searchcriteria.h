#pragma once
// The values of the search form `hakulomake`, control by control. Indexes are
// the item indexes of the radio groups and drop-down lists; at their defaults
// every field is empty or 0.
#include <QString>
#include <QStringList>
#include <array>

struct SearchCriteria {
    QString words;
    int wordsfrom = 0;          // 0 title and description, 1 title only
    int status = 0;             // 0 open, 1 closed
    int sellstyle = 0;          // 0 all, 1 auction, 2 buy now
    int seller_user_type = 0;   // 0 all, 1 companies, 2 private sellers
    std::array<bool, 5> kunto{};   // kunto1 ... kunto5: new ... weak
    QString price_min;
    QString price_max;
    int addtime = 0;            // 0 any time, 1 past day ... 4 past week
    int closingtime = 0;        // 0 any time, 1 next day ... 4 next week
    QString area;
    QString seller;             // user names; the address carries their ids
    QString bidder;
    QStringList categories;     // numbers of the selected tree nodes, in selection order

    bool operator==(const SearchCriteria &o) const
    {
        return words == o.words && wordsfrom == o.wordsfrom && status == o.status && sellstyle == o.sellstyle
            && seller_user_type == o.seller_user_type && kunto == o.kunto && price_min == o.price_min
            && price_max == o.price_max && addtime == o.addtime && closingtime == o.closingtime && area == o.area
            && seller == o.seller && bidder == o.bidder && categories == o.categories;
    }
};
