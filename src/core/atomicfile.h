#pragma once
#include <QByteArray>
#include <QFileDevice>
#include <QString>

namespace AtomicFile {
// Replaces the file with the bytes through a temporary file and a rename.
// False on any failure, and the old file is then left as it was. Extra
// permissions are added to the new file's default ones.
bool write(const QString &path, const QByteArray &bytes, QFileDevice::Permissions extra = {});
}
