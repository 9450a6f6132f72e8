#pragma once
// Picks the user name and password out of the marketplace login form's
// urlencoded body (fields "userid" and "password"), the way the program has
// always read it: a literal "&" ends the password while "%26" is part of it,
// "+" is a space, "%%" a percent sign; the values are read as UTF-8 when they
// are valid UTF-8 and as Windows-1252 otherwise. The body is taken whole (it
// carries no string terminator that would have to be dropped).
#include <QByteArray>
#include <QString>
#include <optional>

struct LoginCredentials {
    QString userName;
    QString password;
};

namespace LoginCapture {

// Nothing when "userid=" or "password=" is missing. A user name with no "&"
// after it is empty.
std::optional<LoginCredentials> parse(const QByteArray &body);

// "%%" -> "%", "%" + two hex digits -> that byte, "+" -> space; anything else
// (also a "%" without two hex digits) is kept.
QByteArray percentDecode(const QByteArray &bytes);

} // namespace LoginCapture
