#include "buyer/watchlist/reminder.h"
#include "buyer/watchlist/reminderrules.h"
#include "client/apisession.h"
#include "client/httpapi.h"
#include "client/jsonscan.h"
#include "client/strutil.h"
#include "client/urlscheme.h"
#include "core/cp1252.h"
#include "core/programclock.h"
#include "core/prompts.h"

namespace {
const QString kItemFailed = QStringLiteral("Kohteen tietojen haku epäonnistui..");
const QString kFailed = QStringLiteral("Toiminto epäonnistui!");
const QString kTooLate = QStringLiteral("Muistutusta ei voi asettaa, jos kohteen sulkeutumiseen alle 8 tuntia");
const QString kNoUser = QStringLiteral("Tarvittavia tietoja ei voitu hakea!");
const QString kAdded = QStringLiteral("Muistutus lisätty!");
const QString kNotAdded = QStringLiteral("Muistutuksen lisääminen epäonnistui!");
}

EmailReminder::EmailReminder(const Parts &parts) : m_parts(parts)
{
}

void EmailReminder::postiaClick(const QString &addressText, const QString &tabAddress)
{
    if (m_running || !UrlScheme::isItemPage(addressText))
        return;
    m_running = true;
    order(StrUtil::palautaitemid(tabAddress));
    m_running = false;
}

void EmailReminder::order(const QString &itemNumber)
{
    Prompts &prompts = *m_parts.prompts;
    const std::optional<Item> item = readItem(itemNumber);
    if (!item) {
        prompts.information(kItemFailed);
        return;
    }
    const std::optional<QDateTime> closing = ReminderRules::closingTime(item->closingValue);
    if (!closing) {
        prompts.information(kFailed);
        return;
    }
    const QDateTime reminder = ReminderRules::reminderTime(*closing);
    if (ReminderRules::tooLate(m_parts.clock->kellonaika(), reminder)) {
        prompts.information(kTooLate);
        return;
    }
    const std::optional<User> user = readUser();
    if (!user) {
        prompts.information(kNoUser);
        return;
    }
    ReminderRules::Fields fields;
    fields.itemId = itemNumber;
    fields.userId = ReminderRules::userNumber(user->name);
    fields.title = item->title;
    fields.email = user->email;
    fields.time = ReminderRules::timeField(reminder);
    fields.closingTime = ReminderRules::closingTimeField(item->closingValue);
    send(ReminderRules::requestBody(fields));
}

std::optional<EmailReminder::Item> EmailReminder::readItem(const QString &itemNumber)
{
    const QString answer =
        m_parts.http->xmlhttpget(HttpApi::General, UrlScheme::apiItem(m_parts.apiBase, itemNumber), kTimeoutMs);
    if (!answer.contains(QLatin1String("closingTime")))
        return std::nullopt;
    const QString json = JsonScan::JsonUnescapeCp1252(answer);
    return Item{JsonScan::avaajson(json, QStringLiteral("title")), JsonScan::avaajson(json, QStringLiteral("closingTime"))};
}

std::optional<EmailReminder::User> EmailReminder::readUser()
{
    ApiSession &api = *m_parts.api;
    if (api.userName().isEmpty() || api.password().isEmpty() || !api.check_api_token())
        return std::nullopt;
    const QByteArray answer = m_parts.http->xmlhttpgetBytes(UrlScheme::apiUser(m_parts.apiBase, api.userId()),
                                                            api.tokenHeaderNames(), api.tokenHeaderValues(),
                                                            kUserTimeoutMs);
    const QString json = JsonScan::JsonUnescape(Cp1252::decode(answer));
    User user{JsonScan::avaajson(json, QStringLiteral("email")), JsonScan::avaajson(json, QStringLiteral("username"))};
    // Without a name the service could not tell this user's reminders from
    // anyone else's.
    if (!user.email.contains(u'@') || user.name.trimmed().isEmpty())
        return std::nullopt;
    return user;
}

void EmailReminder::send(const QByteArray &body)
{
    HttpApi &http = *m_parts.http;
    http.xmlhttppost(HttpApi::General, m_parts.reminderService, body, kTimeoutMs, {QStringLiteral("Content-Type")},
                     {QStringLiteral("application/x-www-form-urlencoded")});
    const bool added = !http.lastRequestFailed(HttpApi::General) && http.lastStatus(HttpApi::General) == 200;
    m_parts.prompts->information(added ? kAdded : kNotAdded);
}
