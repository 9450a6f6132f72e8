#pragma once
// Windows-1252, the code page of every file the program shares with its users.
// Characters the code page lacks become "?".
#include <QByteArray>
#include <QString>

namespace Cp1252 {
QByteArray encode(const QString &text);
QString decode(const QByteArray &bytes);
}
