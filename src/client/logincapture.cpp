#include "logincapture.h"
#include "core/cp1252.h"
#include <QStringDecoder>

namespace LoginCapture {

namespace {
int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

QString decodeValue(const QByteArray &bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8.decode(bytes);
    if (!utf8.hasError() && !text.isEmpty())
        return Cp1252::decode(Cp1252::encode(text));
    return Cp1252::decode(bytes);
}
} // namespace

QByteArray percentDecode(const QByteArray &bytes)
{
    QByteArray out;
    out.reserve(bytes.size());
    for (int i = 0; i < bytes.size(); ++i) {
        const char c = bytes.at(i);
        if (c == '+') {
            out += ' ';
        } else if (c == '%' && i + 1 < bytes.size() && bytes.at(i + 1) == '%') {
            out += '%';
            ++i;
        } else if (c == '%' && i + 2 < bytes.size() && hexValue(bytes.at(i + 1)) >= 0
                   && hexValue(bytes.at(i + 2)) >= 0) {
            out += char(hexValue(bytes.at(i + 1)) * 16 + hexValue(bytes.at(i + 2)));
            i += 2;
        } else {
            out += c;
        }
    }
    return out;
}

std::optional<LoginCredentials> parse(const QByteArray &body)
{
    static const QByteArray userKey("userid=");
    static const QByteArray passwordKey("password=");
    const int u = int(body.indexOf(userKey));
    const int p = int(body.indexOf(passwordKey));
    if (u < 0 || p < 0)
        return std::nullopt;
    const QByteArray afterUser = body.mid(u + userKey.size());
    const int amp = int(afterUser.indexOf('&'));
    QByteArray user = amp >= 0 ? afterUser.left(amp) : QByteArray();
    QByteArray password = body.mid(p + passwordKey.size());
    user.replace('+', ' ');
    password.replace('+', ' ');
    const int cut = int(password.indexOf('&'));
    if (cut >= 0)
        password.truncate(cut);
    return LoginCredentials{decodeValue(percentDecode(user)), decodeValue(percentDecode(password))};
}

} // namespace LoginCapture
