#include "hexdigit.h"
#include "scrambler.h"
#include "cp1252.h"

namespace {
constexpr quint32 kSeed = 48057;
constexpr quint32 kMul = 27149;
constexpr quint32 kAdd = 30781;

// Both directions advance the state with the scrambled byte.
quint32 advance(quint32 state, quint8 scrambled)
{
    return ((state + scrambled) * kMul + kAdd) & 0xFFFFu;
}

}

QByteArray Scrambler::scramble(const QByteArray &plain)
{
    QByteArray out(plain.size(), Qt::Uninitialized);
    quint32 state = kSeed;
    for (int i = 0; i < plain.size(); ++i) {
        const quint8 c = quint8(plain[i]) ^ quint8(state >> 8);
        out[i] = char(c);
        state = advance(state, c);
    }
    return out;
}

QByteArray Scrambler::unscramble(const QByteArray &scrambled)
{
    QByteArray out(scrambled.size(), Qt::Uninitialized);
    quint32 state = kSeed;
    for (int i = 0; i < scrambled.size(); ++i) {
        const quint8 c = quint8(scrambled[i]);
        out[i] = char(c ^ quint8(state >> 8));
        state = advance(state, c);
    }
    return out;
}

QString Scrambler::toHex(const QByteArray &bytes)
{
    return QString::fromLatin1(bytes.toHex()).toUpper();
}

std::optional<QByteArray> Scrambler::fromHex(const QString &text)
{
    if (text.size() % 2 != 0)
        return std::nullopt;
    QByteArray out;
    out.reserve(text.size() / 2);
    for (int i = 0; i < text.size(); i += 2) {
        const int hi = hexDigit(text[i]);
        const int lo = hexDigit(text[i + 1]);
        if (hi < 0 || lo < 0)
            return std::nullopt;
        out.append(char(hi * 16 + lo));
    }
    return out;
}

QString Scrambler::encodePassword(const QString &password)
{
    return toHex(scramble(Cp1252::encode(password)));
}

std::optional<QString> Scrambler::decodePassword(const QString &hex)
{
    const auto bytes = fromHex(hex);
    if (!bytes)
        return std::nullopt;
    return Cp1252::decode(unscramble(*bytes));
}
