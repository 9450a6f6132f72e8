#include "logincapture.h"
#include "core/cp1252.h"
#include "core/percentdecode.h"
#include <QStringDecoder>

namespace LoginCapture {

namespace {
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
    return percentDecoded(bytes);
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
