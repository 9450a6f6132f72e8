#pragma once
// The seller-filter file: Windows-1252 text, one entry per line, every line
// ended by CR LF. Read with CR LF, LF or CR line ends. Lines that cannot be
// filter entries (empty, control characters, absurdly long) are skipped; a
// file too big to be a filter is refused before it is read.
#include <QString>
#include <QStringList>

namespace FilterFile {

// About 1.5 MB holds 50 000 entries; nothing near this is a filter file.
constexpr qint64 kMaxBytes = 64 * 1024 * 1024;
constexpr int kMaxLineLength = 1000;

QString defaultName();       // "suodatin1.txt"
QString dialogFilter();      // "Suodatin/tekstitiedosto|*.txt" for the file dialogs

struct ReadResult {
    bool ok = false;
    QStringList lines;
    QString error;           // Finnish, for the user, when not ok
};
ReadResult read(const QString &path);
QStringList entriesOf(const QByteArray &bytes);

// Replaces the file atomically; on failure the old file stays as it was and
// the Finnish reason is returned in `error`.
bool write(const QString &path, const QStringList &entries, QString *error = nullptr);

}
