#include "update/elfcheck.h"
#include <QFile>
#include <elf.h>

namespace {
struct Header {
    bool valid = false;
    unsigned char elfClass = 0;
    unsigned char byteOrder = 0;
    quint16 type = 0;
    quint16 machine = 0;
    quint64 entry = 0;
};

quint64 number(const QByteArray &b, int at, int size, bool littleEndian)
{
    quint64 v = 0;
    for (int i = 0; i < size; ++i) {
        const quint64 byte = static_cast<unsigned char>(b.at(at + (littleEndian ? i : size - 1 - i)));
        v |= byte << (8 * i);
    }
    return v;
}

Header read(const QByteArray &b)
{
    Header h;
    if (b.size() < int(sizeof(Elf32_Ehdr)) || !b.startsWith(QByteArray(ELFMAG, SELFMAG)))
        return h;
    h.elfClass = static_cast<unsigned char>(b.at(EI_CLASS));
    h.byteOrder = static_cast<unsigned char>(b.at(EI_DATA));
    const bool wide = h.elfClass == ELFCLASS64;
    if ((h.elfClass != ELFCLASS32 && !wide) || (h.byteOrder != ELFDATA2LSB && h.byteOrder != ELFDATA2MSB)
        || b.at(EI_VERSION) != EV_CURRENT || (wide && b.size() < int(sizeof(Elf64_Ehdr))))
        return h;
    const bool little = h.byteOrder == ELFDATA2LSB;
    h.type = quint16(number(b, offsetof(Elf32_Ehdr, e_type), 2, little));
    h.machine = quint16(number(b, offsetof(Elf32_Ehdr, e_machine), 2, little));
    h.entry = number(b, offsetof(Elf32_Ehdr, e_entry), wide ? 8 : 4, little);
    h.valid = true;
    return h;
}
}

bool ElfCheck::runsLike(const QByteArray &candidate, const QByteArray &reference)
{
    const Header c = read(candidate);
    const Header r = read(reference);
    if (!c.valid || !r.valid)
        return false;
    if (c.elfClass != r.elfClass || c.byteOrder != r.byteOrder || c.machine != r.machine)
        return false;
    return c.type == ET_EXEC || (c.type == ET_DYN && c.entry != 0);
}

bool ElfCheck::runsHere(const QByteArray &candidate)
{
    QFile self(QStringLiteral("/proc/self/exe"));
    if (!self.open(QIODevice::ReadOnly))
        return false;
    return runsLike(candidate, self.read(sizeof(Elf64_Ehdr)));
}
