// The typed-address history file. Whatever it holds, only "Url1".."Url25"
// are read, the list shows no blank or repeated item, and the list written
// back reads again as the same list.
#include "browser/tabs/typedurls.h"
#include "fuzzsupport.h"
#include "ledgerfuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString path = Fuzz::scratch() + QStringLiteral("typedurls");
    Fuzz::writeBytes(path, Fuzz::raw(data, size));
    const TypedUrls history(path);
    const QMap<int, QString> values = history.values();
    for (auto it = values.cbegin(); it != values.cend(); ++it)
        FUZZ_CHECK(it.key() >= 1 && it.key() <= TypedUrls::kSize);
    const QStringList list = history.list();
    FUZZ_CHECK(list.size() <= TypedUrls::kSize);
    for (const QString &item : list)
        FUZZ_CHECK(!item.isEmpty() && item == item.trimmed() && list.count(item) == 1);

    FUZZ_CHECK(history.write(list));
    const QMap<int, QString> stored = history.values();
    for (int n = 1; n <= list.size(); ++n)
        FUZZ_CHECK(stored.value(n) == list.at(n - 1));
    return 0;
}
