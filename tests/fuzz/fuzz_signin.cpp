// The API sign-in answer. Signed in only with a whole 32-character token and
// a user id; the program clock is set only from an "updated" value whose
// date and time fields are all digits and name a real moment, and then to
// exactly that moment.
#include "client/apisession.h"
#include "client/httpapi.h"
#include "client/jsonscan.h"
#include "client/stopflag.h"
#include "core/programclock.h"
#include "core/settings.h"
#include "fuzzsupport.h"

namespace {
class Answer final : public HttpApi {
public:
    QString text;
    QString xmlhttpget(Object, const QString &, int) override { return text; }
    QString xmlhttppost(Object, const QString &, const QByteArray &, int, const QStringList &,
                        const QStringList &) override
    {
        return text;
    }
};

// The moment "yyyy-MM-ddTHH:mm:ss" at the start of the value, read field by field.
QDateTime expectedMoment(const QString &value)
{
    if (value.size() < 19)
        return {};
    int fields[6];
    const int at[6] = {0, 5, 8, 11, 14, 17};
    const int len[6] = {4, 2, 2, 2, 2, 2};
    for (int f = 0; f < 6; ++f) {
        int n = 0;
        for (int i = 0; i < len[f]; ++i) {
            const QChar c = value.at(at[f] + i);
            if (c < u'0' || c > u'9')
                return {};
            n = n * 10 + (c.unicode() - u'0');
        }
        fields[f] = n;
    }
    const QDate date(fields[0], fields[1], fields[2]);
    const QTime time(fields[3], fields[4], fields[5]);
    if (!date.isValid() || !time.isValid())
        return {};
    return QDateTime(date, time);
}
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    Answer http;
    http.text = QString::fromUtf8(Fuzz::raw(data, size));
    StopFlag stop;
    const QDateTime start(QDate(2001, 2, 3), QTime(4, 5, 6));
    ProgramClock clock([] { return qint64(0); }, start);
    Settings settings;
    settings.vasaroaika = true;
    ApiSession api(http, stop, clock, settings, QStringLiteral("http://api.vasaro.test/1.1/"),
                   [] { return qint64(0); });
    FUZZ_CHECK(api.captureLogin("userid=matti&password=salainen&"));

    const bool ok = api.check_api_token();
    if (!ok) {
        FUZZ_CHECK(api.apiToken().isEmpty() && api.userId().isEmpty());
        FUZZ_CHECK(!clock.marketplaceTime() && clock.kellonaika() == start);
        return 0;
    }
    FUZZ_CHECK(api.apiToken().size() == 32 && !api.apiToken().contains(u'"'));
    FUZZ_CHECK(!api.userId().isEmpty());
    const QString answer = JsonScan::JsonUnescapeCp1252(http.text);
    const QDateTime moment = expectedMoment(
        JsonScan::JsonParse(answer, QStringLiteral("\"updated\":\""), QStringLiteral("\"")));
    FUZZ_CHECK(clock.marketplaceTime() == moment.isValid());
    FUZZ_CHECK(!moment.isValid() || clock.kellonaika() == moment);
    return 0;
}
