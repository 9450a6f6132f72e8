#include "ledger/files/xlsxzip.h"
#include <unzip.h>
#include <cstring>

namespace {

// The zip reader's file functions over a byte array.
voidpf ZCALLBACK memOpen(voidpf opaque, const void *, int mode)
{
    if ((mode & ZLIB_FILEFUNC_MODE_READWRITEFILTER) != ZLIB_FILEFUNC_MODE_READ)
        return nullptr;
    auto *m = static_cast<XlsxZip::Memory *>(opaque);
    m->pos = 0;
    return m;
}

uLong ZCALLBACK memRead(voidpf, voidpf stream, void *buf, uLong size)
{
    auto *m = static_cast<XlsxZip::Memory *>(stream);
    const qint64 left = m->bytes->size() - m->pos;
    const qint64 n = qMin<qint64>(qint64(size), qMax<qint64>(0, left));
    if (n > 0)
        std::memcpy(buf, m->bytes->constData() + m->pos, size_t(n));
    m->pos += n;
    return uLong(n);
}

uLong ZCALLBACK memWrite(voidpf, voidpf, const void *, uLong)
{
    return 0;
}

ZPOS64_T ZCALLBACK memTell(voidpf, voidpf stream)
{
    return ZPOS64_T(static_cast<XlsxZip::Memory *>(stream)->pos);
}

long ZCALLBACK memSeek(voidpf, voidpf stream, ZPOS64_T offset, int origin)
{
    auto *m = static_cast<XlsxZip::Memory *>(stream);
    const qint64 size = m->bytes->size();
    qint64 base = 0;
    if (origin == ZLIB_FILEFUNC_SEEK_CUR)
        base = m->pos;
    else if (origin == ZLIB_FILEFUNC_SEEK_END)
        base = size;
    else if (origin != ZLIB_FILEFUNC_SEEK_SET)
        return -1;
    // Offsets come from the archive itself: anything past the end is refused.
    if (offset > ZPOS64_T(size) || base + qint64(offset) > size)
        return -1;
    m->pos = base + qint64(offset);
    return 0;
}

int ZCALLBACK memClose(voidpf, voidpf)
{
    return 0;
}

int ZCALLBACK memError(voidpf, voidpf)
{
    return 0;
}

QString damaged(const QString &name)
{
    return QStringLiteral("Excel-työkirja on viallinen: sen osaa %1 ei voitu purkaa.").arg(name);
}

}

XlsxZip::XlsxZip(const QByteArray &bytes)
{
    m_memory.bytes = &bytes;
    zlib_filefunc64_def funcs{};
    funcs.zopen64_file = memOpen;
    funcs.zread_file = memRead;
    funcs.zwrite_file = memWrite;
    funcs.ztell64_file = memTell;
    funcs.zseek64_file = memSeek;
    funcs.zclose_file = memClose;
    funcs.zerror_file = memError;
    funcs.opaque = &m_memory;
    m_zip = unzOpen2_64("", &funcs);
}

XlsxZip::~XlsxZip()
{
    if (m_zip)
        unzClose(m_zip);
}

bool XlsxZip::contains(const QString &name) const
{
    // 2: names compared without regard to case, as parts of a package are.
    return m_zip && unzLocateFile(m_zip, name.toUtf8().constData(), 2) == UNZ_OK;
}

bool XlsxZip::read(const QString &name, const Piece &piece, QString *error, qint64 limit) const
{
    if (!contains(name)) {
        *error = QStringLiteral("Excel-työkirja on viallinen: siitä puuttuu osa %1.").arg(name);
        return false;
    }
    return inflate(name, piece, error, limit);
}

bool XlsxZip::inflate(const QString &name, const Piece &piece, QString *error, qint64 limit) const
{
    const QString tooLarge = QStringLiteral("Excel-työkirjan osa %1 purkautuu yli %2 megatavun "
                                            "kokoiseksi, eikä sitä lueta.")
                                 .arg(name).arg(limit / (1024 * 1024));
    unz_file_info64 info{};
    if (unzGetCurrentFileInfo64(m_zip, &info, nullptr, 0, nullptr, 0, nullptr, 0) != UNZ_OK) {
        *error = damaged(name);
        return false;
    }
    if (info.flag & 1) {
        *error = QStringLiteral("Excel-työkirja on salattu, eikä sitä voi lukea.");
        return false;
    }
    // A claim past the limit is refused at once; a smaller claim is checked
    // while inflating.
    if (info.uncompressed_size > ZPOS64_T(limit)) {
        *error = tooLarge;
        return false;
    }
    if (unzOpenCurrentFile(m_zip) != UNZ_OK) {
        *error = damaged(name);
        return false;
    }
    QByteArray buffer(256 * 1024, Qt::Uninitialized);
    qint64 total = 0;
    for (;;) {
        const int n = unzReadCurrentFile(m_zip, buffer.data(), unsigned(buffer.size()));
        if (n < 0) {
            unzCloseCurrentFile(m_zip);
            *error = damaged(name);
            return false;
        }
        if (n == 0)
            break;
        total += n;
        if (total > limit) {
            unzCloseCurrentFile(m_zip);
            *error = tooLarge;
            return false;
        }
        if (!piece(QByteArray::fromRawData(buffer.constData(), n))) {
            unzCloseCurrentFile(m_zip);
            return true;
        }
    }
    // Reports a checksum that does not match what was inflated.
    if (unzCloseCurrentFile(m_zip) != UNZ_OK) {
        *error = damaged(name);
        return false;
    }
    return true;
}

bool XlsxZip::readAll(const QString &name, QByteArray *out, QString *error, qint64 limit) const
{
    out->clear();
    return read(name, [out](const QByteArray &p) { out->append(p); return true; }, error, limit);
}
