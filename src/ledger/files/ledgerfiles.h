#pragma once
// The ledger's list file (".vss" sold, ".vso" bought; the same format):
// Windows-1252 text, lines ended by CR LF. The first line is
// "<columns>,<rows>"; then one line "<column>,<row>,<text>" for every
// non-empty cell, row by row from the header row, CR LF in texts written as
// "<BR>". Empty cells are not written.
#include "ledger/model/ledgersheet.h"
#include <QByteArray>
#include <QString>

class LedgerTable;

namespace LedgerFiles {

// Limits of what a list file may claim on its first line; a larger claim is
// a damaged file, not a list.
constexpr int MaxColumns = 1000;
constexpr int MaxRows = 1000000;
// Larger files are refused before they are read.
constexpr qint64 MaxFileSize = 64LL * 1024 * 1024;

QByteArray listBytes(const LedgerTable &grid);
// Writes atomically; on failure returns false with a Finnish message.
bool kirjoitalista(const LedgerTable &grid, const QString &path, QString *error = nullptr);

// Reads the file into a sheet of its own size. "<BR>" becomes CR LF, then a
// leading CR and after it a leading LF are dropped. Cells outside the size
// of the first line are not used; blank lines are skipped.
LedgerReadResult parseList(const QByteArray &bytes);
LedgerReadResult lueListatiedosto(const QString &path);

// Reads a whole file for the readers, refusing missing and oversized files.
bool readFile(const QString &path, QByteArray *bytes, QString *error);
// Writes a whole file atomically.
bool writeFile(const QString &path, const QByteArray &bytes, QString *error);

}
