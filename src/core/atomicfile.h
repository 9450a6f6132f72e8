#pragma once
#include <QByteArray>
#include <QFileDevice>
#include <QDateTime>
#include <QString>
#include <QStringList>

namespace AtomicFile {
// Replaces the file with the bytes through a temporary file and a rename.
// False on any failure, and the old file is then left as it was.
// A file inside the program's data folder is private to the user: it is
// written owner read/write only (0600), whatever it was before. Any other
// file (one the user chose) gets the usual permissions plus `extra`.
// `cause`, when given, gets the reason of a failure in Finnish.
bool write(const QString &path, const QByteArray &bytes, QFileDevice::Permissions extra = {},
           QString *cause = nullptr);

// The temporary copies a write leaves behind when the program is killed
// between writing and renaming ("<name>.XXXXXX" beside the file): those of
// the given file names in `folder` that are older than `before` are
// removed. Returns how many were.
int removeLeftovers(const QString &folder, const QStringList &names, const QDateTime &before);
}
