#pragma once
// Which context menu a right click gets and which of its items are visible.
// Pure decision logic: the view asks the document for what is needed (only
// when the decision needs it) through the two callbacks.
#include <QPoint>
#include <QString>
#include <functional>

namespace ContextMenuPolicy {

// The platform's context-menu kinds used here.
enum Kind { KindDefault = 0, KindControl = 2, KindLink = 5 };

enum class Menu {
    Standard,   // the engine's own menu
    Page,       // PopupMenu1 (items 0-16)
    Link,       // PopupMenu2 (items 0-8)
};

struct LinkUnderMouse {
    QString href;         // "" when the element under the mouse is not a link
    QString parentHtml;   // outer HTML of the link's parent element
};

struct Input {
    int kind = KindDefault;
    QString statusText;         // status bar text as shown
    QString addressText;        // address box text as shown
    bool signedIn = false;      // a signed-in user name is known
    bool templateSaved = false; // a listing description was saved to a template this run
    // Body HTML of the page (asked for a field of an item page only).
    std::function<QString()> bodyHtml;
    // The link under the mouse (asked on the own-sales page only).
    std::function<LinkUnderMouse()> linkUnderMouse;
    // Items whose feature is built (bit i = item i); others stay hidden.
    quint32 pageItemsAvailable = 0x1FFFF;
    quint32 linkItemsAvailable = 0x1FF;
};

struct Decision {
    Menu menu = Menu::Standard;
    quint32 visible = 0;          // bit i = item i of the chosen menu
    QString linkAddress;          // the link commands' address
    bool restoreAfter = false;    // PopupMenu1 goes back to "only item 0" after closing
    bool isVisible(int item) const { return visible & (1u << item); }
};

Decision decide(const Input &input);

// PopupMenu1 between uses: only item 0 ("Sulje") visible.
constexpr quint32 kPageBetweenUses = 0x1;

// The mouse position in the view converted to page coordinates.
QPoint pagePoint(const QPoint &viewPos, int zoomPercent);

// PopupMenu1 on the listing forms: items 1-3 and 5-16, item 4 only while a
// description saved to a template is held; never item 0.
quint32 listingFormItems(bool templateSaved, quint32 available);
// The element under the mouse is the listing's text editor: its outer HTML
// names an iframe of the "tekstieditori" and is no table cell.
bool isListingEditor(const QString &outerHtml);

// The address a link command works on: the status line's text while it
// shows an address (the link under the mouse), else the link the menu was
// opened over. Not lower-cased: a page's path is case sensitive, and the
// item number the commands take from it is digits.
QString linkCommandAddress(const QString &statusText, const QString &menuAddress);

}
