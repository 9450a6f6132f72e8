// The ledger fetch's reading of API answers: the walk over joined list pages
// hands out at most the asked number of trades, each a piece of the answer;
// a trade, item or user answer of any shape gives a row of 10 cells, and a
// trade read as sound has a price and a quantity that are plain numbers; the
// box checks always give a usable start and count.
#include "client/jsonscan.h"
#include "client/strutil.h"
#include "fuzzsupport.h"
#include "ledger/fetch/ledgerfetchrules.h"
#include <QJsonDocument>
#include <QJsonObject>

using namespace LedgerFetchRules;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const Fuzz::Input in(data, size);
    const QString list = JsonScan::JsonUnescape(in.utf8(1));
    const int start = in.mode() % 120;
    const int count = 1 + (in.mode() >> 4);

    QString replaced = list;
    replaced.replace(QStringLiteral("\"items\":["), QStringLiteral("\"items\":,"), Qt::CaseInsensitive);
    TradeWalk walk(list, start, count);
    QString trade;
    int handed = 0;
    while (walk.next(&trade)) {
        ++handed;
        FUZZ_CHECK(replaced.contains(trade));
        StrUtil::palauta_api_itemid(trade);
    }
    FUZZ_CHECK(handed <= count);
    pageIsSound(in.utf8(1), QStringLiteral("\"items\":"), kPageSize);

    const Pages pages = pagesFor(start, count, kPageSize);
    FUZZ_CHECK(pages.first >= 1 && pages.first <= pages.last);

    TradeFields fields;
    const LedgerMode mode = in.mode() & 1 ? LedgerMode::Bought : LedgerMode::Sold;
    const Reading reading = readTrade(JsonScan::JsonUnescape(in.utf8(2)), mode, &fields);
    if (reading == Reading::Ok) {
        FUZZ_CHECK(!fields.price.isEmpty() && StrUtil::desimaaliluvuksi(fields.price) >= 0);
        FUZZ_CHECK(StrUtil::kokonaisluvuksi(fields.quantity) > 0);
    }
    readItem(JsonScan::JsonUnescape(in.utf8(3)), mode, &fields);
    readUser(JsonScan::JsonUnescape(in.utf8(4)), &fields);
    textFieldsOk(QJsonDocument::fromJson(in.bytes(4)).object(), {QStringLiteral("username")});
    FUZZ_CHECK(rowOf(fields).size() == LedgerTable::ColumnCount);
    FUZZ_CHECK(!fields.title.contains(JsonScan::kPlaceholder));
    isUserId(fields.counterpartyId);

    const int checkedStart = StrUtil::kokonaisluvuksi(checkStart(in.utf8(5)));
    const int checkedCount = StrUtil::kokonaisluvuksi(checkCount(in.utf8(5)));
    FUZZ_CHECK(checkedStart >= 0);
    FUZZ_CHECK(checkedCount >= 1 && checkedCount <= 9999);
    return 0;
}
