#pragma once
// Windows-1252 bytes of ledger texts in bulk. Latin-1 characters are copied
// directly; any other character goes through the program's one code page
// table (core/cp1252.h), so both always agree.
#include <QByteArray>
#include <QStringView>

namespace LedgerCodec {
void appendCp1252(QByteArray &out, QStringView text);
QByteArray cp1252(QStringView text);
}
