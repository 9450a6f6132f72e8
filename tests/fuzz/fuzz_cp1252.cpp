// Windows-1252: every byte is a character, so bytes -> text -> bytes gives
// the same bytes; any text encodes to one byte per character (a surrogate
// pair is one character, a lone half one as well) and the ledger's bulk
// encoder agrees with the codec.
#include "core/cp1252.h"
#include "fuzzsupport.h"
#include "ledger/model/ledgercodec.h"

namespace {
int characters(const QString &text)
{
    int n = 0;
    for (qsizetype i = 0; i < text.size(); ++i, ++n) {
        if (text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
            ++i;
    }
    return n;
}
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = Fuzz::raw(data, size);
    const QString decoded = Cp1252::decode(bytes);
    FUZZ_CHECK(decoded.size() == bytes.size());
    FUZZ_CHECK(Cp1252::encode(decoded) == bytes);

    QString text(qsizetype(size / 2), Qt::Uninitialized);
    std::memcpy(text.data(), data, (size / 2) * 2);
    const QByteArray encoded = Cp1252::encode(text);
    FUZZ_CHECK(encoded.size() == characters(text));
    FUZZ_CHECK(LedgerCodec::cp1252(text) == encoded);
    // What the code page holds survives; anything else became "?".
    const QString back = Cp1252::decode(encoded);
    for (qsizetype i = 0, j = 0; i < text.size(); ++i, ++j) {
        const bool pair = text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate();
        FUZZ_CHECK(back.at(j) == text.at(i) || back.at(j) == u'?');
        if (pair)
            ++i;
    }
    return 0;
}
