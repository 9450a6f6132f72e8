#pragma once
// Whether downloaded bytes are a program this machine can run: an ELF file
// of the same class, byte order and machine type as the running program,
// either a fixed-address executable or a position-independent one (a shared
// object with an entry point). Anything else is refused before it replaces
// the program file.
#include <QByteArray>

namespace ElfCheck {
// `reference` is the start of a program known to run here.
bool runsLike(const QByteArray &candidate, const QByteArray &reference);
// Against the running program's own header.
bool runsHere(const QByteArray &candidate);
}
