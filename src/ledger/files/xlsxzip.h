#pragma once
// Reads the parts of a workbook's zip container from memory. Nothing the
// container says about sizes is trusted: a part is inflated in pieces and
// refused as soon as it grows past the limit, whatever its header claims.
#include <QByteArray>
#include <QString>
#include <functional>

class XlsxZip final {
public:
    // A part inflating past this is refused (a zip bomb).
    static constexpr qint64 MaxPartSize = 200LL * 1024 * 1024;

    // `bytes` must outlive the reader.
    explicit XlsxZip(const QByteArray &bytes);
    ~XlsxZip();
    XlsxZip(const XlsxZip &) = delete;
    XlsxZip &operator=(const XlsxZip &) = delete;

    // False when the bytes are no zip archive.
    bool isOpen() const { return m_zip != nullptr; }
    // Part names are compared without regard to case.
    bool contains(const QString &name) const;

    // Inflates the part in pieces, handing each to `piece` (which returns
    // false to stop). False with a Finnish message when the part is missing,
    // damaged, encrypted or larger than `limit`; a stop by `piece` is no error.
    using Piece = std::function<bool(const QByteArray &)>;
    bool read(const QString &name, const Piece &piece, QString *error,
              qint64 limit = MaxPartSize) const;
    // The whole part at once.
    bool readAll(const QString &name, QByteArray *out, QString *error,
                 qint64 limit = MaxPartSize) const;

    struct Memory {
        const QByteArray *bytes = nullptr;
        qint64 pos = 0;
    };

private:
    bool inflate(const QString &name, const Piece &piece, QString *error, qint64 limit) const;

    mutable Memory m_memory;
    void *m_zip = nullptr;
};
