#pragma once
// The marketplace time shown on the user's own pages (the "clock_alt" clock).
#include <QDateTime>
#include <optional>

class Document;
class ProgramClock;

namespace VasaroAika {
// Parses the clock out of the body's outer HTML; nothing when it does not
// give a valid date and time.
std::optional<QDateTime> parse(const QString &bodyOuterHtml);
// vasaroaikasivulta: the page's time, or the program clock's own time when
// the page has none (so setting the clock from it moves nothing).
QDateTime vasaroaikasivulta(Document &document, const ProgramClock &clock, bool *found = nullptr);
}
