#pragma once
// Shared pieces of the libFuzzer harnesses: a scratch folder of the run, a
// property check that stops the run with a report, and a reader that cuts one
// fuzz input into the pieces a harness needs.
#include <QByteArray>
#include <QList>
#include <QString>
#include <QTemporaryDir>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

// A failed property is a finding like a crash: libFuzzer keeps the input.
#define FUZZ_CHECK(cond)                                                                        \
    do {                                                                                        \
        if (!(cond)) {                                                                          \
            std::fprintf(stderr, "==PROPERTY== %s:%d: %s\n", __FILE__, __LINE__, #cond);        \
            std::abort();                                                                       \
        }                                                                                       \
    } while (0)

namespace Fuzz {

// A private folder for the files a harness writes and reads back.
inline QString scratch()
{
    static QTemporaryDir dir;
    return dir.path() + QLatin1Char('/');
}

// Pieces of one input are separated by the byte 0x1E (the ASCII record
// separator), so seed files stay readable; missing pieces are empty.
class Input final {
public:
    Input(const uint8_t *data, size_t size)
        : m_pieces(QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)).split('\x1e'))
    {
    }
    int count() const { return int(m_pieces.size()); }
    QByteArray bytes(int i) const { return m_pieces.value(i); }
    QString utf8(int i) const { return QString::fromUtf8(m_pieces.value(i)); }
    // Raw UTF-16 code units: lone surrogates and NULs included.
    QString utf16(int i) const
    {
        const QByteArray b = m_pieces.value(i);
        QString s(b.size() / 2, Qt::Uninitialized);
        std::memcpy(s.data(), b.constData(), size_t(s.size()) * 2);
        return s;
    }
    // The first byte of the whole input picks a variant of a harness.
    int mode() const { return m_pieces.isEmpty() || m_pieces[0].isEmpty() ? 0 : uint8_t(m_pieces[0][0]); }

private:
    QList<QByteArray> m_pieces;
};

inline QByteArray raw(const uint8_t *data, size_t size)
{
    return QByteArray(reinterpret_cast<const char *>(data), qsizetype(size));
}

} // namespace Fuzz
