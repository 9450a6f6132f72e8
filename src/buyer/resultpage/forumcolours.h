#pragma once
// Forum threads: messages written today are coloured green and those written
// yesterday olive, in the innermost elements that carry the date only.
#include <QDate>
#include <QString>

class Document;

namespace ForumColours {

// Today and yesterday as the forum writes them, "dd.mm".
struct Days {
    QString today;
    QString yesterday;
};
Days days(const QDate &today);

// The new inner HTML of a message header ("Kirjoitettu: ...") dated today or
// yesterday; "" when it stays as it is.
QString colouredHeader(const QString &innerHtml, const Days &days);
// The new outer HTML of a "message-time" element dated today or yesterday;
// "" when it stays as it is.
QString colouredTime(const QString &outerHtml, const Days &days);

// `keskustelupalsta`: colours the thread's innermost div elements.
void keskustelupalsta(Document &document, const QDate &today);

} // namespace ForumColours
