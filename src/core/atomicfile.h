#pragma once
#include <QByteArray>
#include <QFileDevice>
#include <QString>

namespace AtomicFile {
// Replaces the file with the bytes through a temporary file and a rename.
// False on any failure, and the old file is then left as it was.
// A file inside the program's data folder is private to the user: it is
// written owner read/write only (0600), whatever it was before. Any other
// file (one the user chose) gets the usual permissions plus `extra`.
bool write(const QString &path, const QByteArray &bytes, QFileDevice::Permissions extra = {});
}
