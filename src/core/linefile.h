#pragma once
// Text files of lines in Windows-1252, as the program shares them with its
// users: written with CR LF after every line, read with CR LF, LF or CR.
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

namespace LineFile {
QStringList split(const QByteArray &bytes);     // a final line break adds no empty line
QByteArray join(const QStringList &lines);      // every line followed by CR LF
std::optional<QStringList> read(const QString &path);   // nothing when it cannot be read
// Replaces the file atomically; false (old file untouched) on any failure.
// `cause` gets the reason of a failure in Finnish.
bool write(const QString &path, const QStringList &lines, QString *cause = nullptr);
}
