// The search form's address reader. Any address leaves every choice inside
// its control's items; the address the form builds from its values reads
// back to the same values.
#include "buyer/searchform/searchform.h"
#include "client/strutil.h"
#include "fuzzsupport.h"

namespace {
SearchCriteria criteriaFrom(const Fuzz::Input &in)
{
    const int m = in.mode();
    const QByteArray bits = in.bytes(4);
    auto bit = [&bits](int i) { return i < bits.size() && (uchar(bits[i]) & 1); };
    SearchCriteria c;
    c.words = in.utf8(1);
    c.area = in.utf8(2);
    const QStringList numbers = in.utf8(3).split(u' ');
    c.price_min = StrUtil::leadingDigits(numbers.value(0));
    c.price_max = StrUtil::leadingDigits(numbers.value(1));
    for (const QString &n : numbers.mid(2)) {
        const QString digits = StrUtil::leadingDigits(n);
        if (!digits.isEmpty())
            c.categories << digits;
    }
    c.wordsfrom = m & 1;
    c.status = (m >> 1) & 1;
    c.sellstyle = ((m >> 2) & 3) % 3;
    c.seller_user_type = ((m >> 4) & 3) % 3;
    c.addtime = bits.size() > 5 ? uchar(bits[5]) % 5 : 0;
    c.closingtime = bits.size() > 6 ? uchar(bits[6]) % 5 : 0;
    for (int i = 0; i < 5; ++i)
        c.kunto[size_t(i)] = bit(i);
    return c;
}

void checkRanges(const SearchCriteria &c)
{
    FUZZ_CHECK(c.wordsfrom >= 0 && c.wordsfrom <= 1);
    FUZZ_CHECK(c.status >= 0 && c.status <= 1);
    FUZZ_CHECK(c.sellstyle >= 0 && c.sellstyle <= 2);
    FUZZ_CHECK(c.seller_user_type >= 0 && c.seller_user_type <= 2);
    FUZZ_CHECK(c.addtime >= 0 && c.addtime <= 4);
    FUZZ_CHECK(c.closingtime >= 0 && c.closingtime <= 4);
}
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const Fuzz::Input in(data, size);
    SearchCriteria any;
    SearchForm::lue_osoitteesta(in.utf8(0), any);
    checkRanges(any);

    const SearchCriteria written = criteriaFrom(in);
    const QString address = QStringLiteral("https://www.vasaro.test/haku/")
                            + SearchForm::segments(written, QString(), QString());
    SearchCriteria read;
    SearchForm::lue_osoitteesta(address, read);
    FUZZ_CHECK(read == written);
    return 0;
}
