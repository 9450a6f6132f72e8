#pragma once
// Reading the marketplace's watch-list page ("muistilista"): the page marks
// listings about to close with class "closing", and each row carries its
// closing time in the element after the "sulkeutumisaika" marker.
#include <QString>

namespace WatchListPage {

// The closing time of the first listing the page marks as closing: the
// text after the last "sulkeutumisaika" before the first "class=closing>"
// (quotes, tabs and line breaks removed first), inside the next element.
// Marks on the table's heading row and texts without a digit (a column
// heading) are passed over. Empty when the page marks no listing or the
// time cannot be found.
QString closingTime(const QString &html);

// The alert's text for that closing time.
QString alertText(const QString &closingTime);

} // namespace WatchListPage
