#pragma once
// Hands a finished PDF to the printer the user chose: a printer set to a
// PDF file gets the file (written atomically), a printer of the system gets
// the PDF through the print spooler (`lp`, which takes PDF as it is).
#include <QByteArray>
#include <QString>

class QPrinter;

namespace PrintSpool {
enum class Result { Done, FileFailed, NoSpooler, SpoolFailed };

Result send(const QByteArray &pdf, const QPrinter &printer);
}
