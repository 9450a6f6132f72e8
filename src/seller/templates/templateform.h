#pragma once
// The new-listing form and a listing template: read the form into a
// template, fill the form from one, clear it. Every field the page lacks is
// skipped.
#include <QString>

class PageAccess;
struct TListingTemplate;

namespace TemplateForm {
// Overwrites in `last` only what the page provides: the title group when the
// page has "title", the price group when it has "sellstyle".
void read(PageAccess &page, TListingTemplate &last, bool scriptsOn);
// Fills the form from a template read from a file.
void fill(PageAccess &page, const TListingTemplate &t, bool scriptsOn);
// Empties the form; `sellstyle` (of the last save) picks the sale radio.
void clear(PageAccess &page, const QString &sellstyle, bool scriptsOn);
}
