#include "ledger/model/ledgercodec.h"
#include "core/cp1252.h"
#include <QString>

namespace LedgerCodec {

void appendCp1252(QByteArray &out, QStringView text)
{
    const qsizetype start = out.size();
    out.resize(start + text.size());
    char *d = out.data() + start;
    qsizetype written = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text.at(i).unicode();
        if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
            d[written++] = char(c);
            continue;
        }
        // Rare: let the code page table decide (a surrogate pair is one "?").
        qsizetype end = i + 1;
        if (QChar::isHighSurrogate(c) && end < text.size() && text.at(end).isLowSurrogate())
            ++end;
        const QByteArray b = Cp1252::encode(text.mid(i, end - i).toString());
        for (const char ch : b)
            d[written++] = ch;
        i = end - 1;
    }
    out.resize(start + written);
}

QByteArray cp1252(QStringView text)
{
    QByteArray out;
    appendCp1252(out, text);
    return out;
}

}
