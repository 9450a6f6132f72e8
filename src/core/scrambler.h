#pragma once
// The Vasarokuva password is kept in the settings file scrambled with a
// byte-wise autokey stream (16-bit state) and written as upper-case hex.
#include <QByteArray>
#include <QString>
#include <optional>

namespace Scrambler {
QByteArray scramble(const QByteArray &plain);
QByteArray unscramble(const QByteArray &scrambled);

QString toHex(const QByteArray &bytes);                  // two upper-case digits a byte
std::optional<QByteArray> fromHex(const QString &text);  // nothing on odd length or a non-digit

// Windows-1252 bytes of the password, scrambled, as hex; and back.
QString encodePassword(const QString &password);
std::optional<QString> decodePassword(const QString &hex);
}
