#include "httputil.h"
#include "core/cp1252.h"
#include <QRandomGenerator>
#include <QStringDecoder>

namespace HttpUtil {

namespace {
bool copiedAsIs(unsigned char b)
{
    if ((b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z') || (b >= '0' && b <= '9'))
        return true;
    switch (b) {
    case '!': case '$': case '\'': case '(': case ')': case '*': case '-': case '.': case '@': case '_':
        return true;
    default:
        return false;
    }
}

constexpr char kHex[] = "0123456789abcdef";
constexpr char kC2 = '\xC2';
} // namespace

QString HTTPEncodeBytes(const QByteArray &bytes)
{
    QByteArray out;
    out.reserve(bytes.size() * 3);
    for (const char ch : bytes) {
        const auto b = static_cast<unsigned char>(ch);
        if (copiedAsIs(b)) {
            out.append(ch);
        } else if (b == ' ') {
            out.append('+');
        } else {
            out.append('%');
            out.append(kHex[b >> 4]);
            out.append(kHex[b & 0x0F]);
        }
    }
    return QString::fromLatin1(out);
}

QString HTTPEncode(const QString &text)
{
    return HTTPEncodeBytes(text.toUtf8());
}

QString nocache()
{
    QRandomGenerator *rng = QRandomGenerator::global();
    const int a = static_cast<int>(rng->bounded(30000));
    const int b = static_cast<int>(rng->bounded(30000));
    return QString::number(a) + QString::number(b);
}

QByteArray korjaautf8(const QByteArray &bytes)
{
    QByteArray out;
    out.reserve(bytes.size() + bytes.size() / 2);
    for (int i = 0; i < bytes.size(); ++i) {
        if (bytes.at(i) == kC2 && i + 1 < bytes.size()) {
            out.append(Cp1252::decode(bytes.mid(i + 1, 1)).toUtf8());
            ++i;
        } else {
            out.append(bytes.at(i));
        }
    }
    return out;
}

QByteArray korjaaaakkoset(const QByteArray &bytes)
{
    QByteArray out = bytes;
    out.replace(QByteArray("\xC3\xA4"), QByteArray("\xE4"));
    out.replace(QByteArray("\xC3\x84"), QByteArray("\xC4"));
    out.replace(QByteArray("\xC3\xB6"), QByteArray("\xF6"));
    out.replace(QByteArray("\xC3\x96"), QByteArray("\xD6"));
    out.replace(QByteArray("\xC3\x85"), QByteArray("\xC5"));
    out.replace(QByteArray("\xC3\xA5"), QByteArray("\xE5"));
    out.replace(QByteArray(1, kC2), QByteArray());
    return out;
}

QString marketplaceText(const QByteArray &bytes)
{
    const QByteArray repaired = bytes.contains(kC2) ? korjaautf8(bytes) : bytes;
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(repaired);
    if (!utf8.hasError() && !text.isEmpty())
        return text;
    return Cp1252::decode(korjaaaakkoset(bytes));
}

} // namespace HttpUtil
