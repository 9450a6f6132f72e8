#include "ledger/fetch/ledgerfetch.h"
#include "client/apisession.h"
#include "client/httpapi.h"
#include "client/httputil.h"
#include "client/jsonscan.h"
#include "client/stopflag.h"
#include "client/strutil.h"
#include "client/urlscheme.h"
#include "core/cp1252.h"
#include "core/prompts.h"
#include <QCoreApplication>
#include <QJsonDocument>
#include <QSet>

using namespace LedgerFetchRules;

namespace {
const QString &listMarker()
{
    static const QString m = QStringLiteral("\"items\":");
    return m;
}

// Pending window events run between trades (the stop button among them).
// One pass, not a timed wait: a wait of even one millisecond per trade would
// be most of the fetch's own time.
void letEventsRun()
{
    QCoreApplication::processEvents();
}

// At most this many item numbers are named in the closing message.
constexpr int kNamedItems = 10;
}

LedgerFetch::LedgerFetch(HttpApi &http, ApiSession &api, StopFlag &stop, Prompts &prompts,
                         LedgerFetchHost &host)
    : m_http(http), m_api(api), m_stop(stop), m_prompts(prompts), m_host(host)
{
}

bool LedgerFetch::suoritahaku(int start, int count)
{
    if (m_running)
        return false;
    m_running = true;
    m_pageProblem.clear();
    m_failedItems.clear();
    m_itemConnectionLost = false;
    m_loginLost = false;
    m_added = 0;
    m_host.fetchRunning(true);
    run(start, count);
    m_running = false;
    m_host.fetchRunning(false);
    const QString problems = problemText();
    if (!problems.isEmpty())
        m_prompts.information(problems);
    ++m_runs;
    return true;
}

void LedgerFetch::run(int start, int count)
{
    m_stop.clear();
    if (!m_api.check_api_token()) {
        m_prompts.information(QStringLiteral("Kirjautuminen epäonnistui!"));
        return;
    }
    m_mode = m_host.listMode() == LedgerMode::Bought ? LedgerMode::Bought : LedgerMode::Sold;
    m_host.naytapaneeli(QStringLiteral("Haetaan kohteita.."), true, count);
    const QString address = listTemplate(m_api.apiBase(), m_mode, m_api.userId(), HttpUtil::nocache());
    const QString joined = haesivuja(address, listMarker(), kPageSize, count, start);
    if (joined.isEmpty() || m_stop.isSet()) {
        m_host.piilotapaneeli();
        return;
    }
    const QStringList toDo = toDoList(JsonScan::JsonUnescapeCp1252(joined), start, count);
    m_host.setUnsaved(true);
    const int maximum = qMax(1, int(toDo.size()));
    for (int i = 0; i < toDo.size(); ++i) {
        if (m_stop.isSet() || m_loginLost) {
            m_host.piilotapaneeli();
            return;
        }
        m_host.setProgress(i, maximum);
        letEventsRun();
        lueosoitetiedot(toDo.at(i));
    }
    m_host.piilotapaneeli();
    m_host.fetchCompleted();
}

QString LedgerFetch::haesivuja(const QString &listTemplate, const QString &marker, int pageSize,
                               int count, int start)
{
    QString joined;
    const Pages pages = pagesFor(start, count, pageSize);
    for (int page = pages.first; page <= pages.last; ++page) {
        const QString address = pageAddress(listTemplate, pageSize, page);
        QStringList names{QStringLiteral("Content-Type")};
        QStringList values{QStringLiteral("text/xml")};
        if (address.contains(QLatin1String("/sales")) || address.contains(QLatin1String("/purchases"))) {
            if (!m_api.check_api_token()) {
                notePage(page, QStringLiteral("kirjautuminen epäonnistui."));
                break;
            }
            names = m_api.tokenHeaderNames();
            values = m_api.tokenHeaderValues();
        }
        const QString answer = Cp1252::decode(m_http.xmlhttpgetBytes(address, names, values, kTimeoutMs));
        if (m_stop.isSet())
            break;
        if (!pageIsSound(answer, marker, pageSize)) {
            if (m_http.lastRequestFailed(HttpApi::General))
                notePage(page, QStringLiteral("yhteys Vasaroon epäonnistui."));
            else if (answer.isEmpty())
                notePage(page, QStringLiteral("vastaus oli tyhjä."));
            else
                notePage(page, QStringLiteral("vastaus oli katkennut tai virheellinen."));
            break;
        }
        joined += answer;
    }
    return joined;
}

QStringList LedgerFetch::toDoList(const QString &joined, int start, int count)
{
    QStringList toDo;
    QSet<QString> taken;
    TradeWalk walk(joined, start, count);
    QString trade;
    int position = 0;
    while (walk.next(&trade)) {
        if (!trade.contains(QLatin1String("/items/")))
            continue;
        const QString item = StrUtil::palauta_api_itemid(trade);
        // A trade that a shifting list shows on two pages is read once.
        if (!Ledger::onjolistalla(m_host.masterList(), item) && !taken.contains(item)) {
            toDo << item;
            taken.insert(item);
        }
        m_host.setProgress(++position, count);
        if (m_stop.isSet())
            break;
        letEventsRun();
    }
    return toDo;
}

LedgerFetch::Answer LedgerFetch::get(const QString &address, bool withToken)
{
    const QStringList names = withToken ? m_api.tokenHeaderNames() : QStringList{QStringLiteral("Content-Type")};
    const QStringList values = withToken ? m_api.tokenHeaderValues() : QStringList{QStringLiteral("text/xml")};
    const QString raw = Cp1252::decode(m_http.xmlhttpgetBytes(address, names, values, kTimeoutMs));
    Answer a;
    a.noConnection = raw.isEmpty() && m_http.lastRequestFailed(HttpApi::General);
    if (raw.isEmpty())
        return a;
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(raw.toUtf8(), &error);
    a.sound = error.error == QJsonParseError::NoError && !doc.isNull();
    if (a.sound) {
        a.object = doc.object();
        a.text = JsonScan::JsonUnescapeCp1252(raw);
    }
    return a;
}

void LedgerFetch::lueosoitetiedot(const QString &itemNumber)
{
    if (!StrUtil::validitemid(itemNumber))
        return;
    TradeFields fields;
    fields.itemNumber = itemNumber;
    if (!readTrade(itemNumber, &fields) || m_stop.isSet())
        return;
    appendRow(rowOf(fields));
    m_host.rowAppended();
}

// The three answers of a trade. False when no row is to be made: no price
// (quietly), a faulty answer (noted), or the stop flag.
bool LedgerFetch::readTrade(const QString &itemNumber, TradeFields *fields)
{
    const Answer trade = get(UrlScheme::apiItemPurchases(m_api.apiBase(), itemNumber), false);
    if (m_stop.isSet())
        return false;
    const Reading reading = trade.sound ? LedgerFetchRules::readTrade(trade.text, m_mode, fields)
                                        : Reading::Faulty;
    if (reading != Reading::Ok) {
        if (reading == Reading::Faulty)
            noteItem(itemNumber, trade.noConnection);
        return false;
    }
    const Answer item = get(UrlScheme::apiItem(m_api.apiBase(), itemNumber), false);
    if (m_stop.isSet())
        return false;
    static const QStringList itemTexts{QStringLiteral("title"), QStringLiteral("closingtime")};
    if (!item.sound || !textFieldsOk(item.object, itemTexts)
        || readItem(item.text, m_mode, fields) != Reading::Ok) {
        noteItem(itemNumber, item.noConnection);
        return false;
    }
    // Without a token the user's answer cannot come, and every further trade
    // would try the refused sign-in again: the fetch ends here.
    if (!m_api.check_api_token()) {
        m_loginLost = true;
        return false;
    }
    if (!isUserId(fields->counterpartyId))
        return true;    // no counterparty named: its texts stay empty
    const Answer user = get(UrlScheme::apiUser(m_api.apiBase(), fields->counterpartyId), true);
    if (m_stop.isSet())
        return false;
    static const QStringList userTexts{QStringLiteral("fullname"), QStringLiteral("username"),
                                       QStringLiteral("email"), QStringLiteral("street"),
                                       QStringLiteral("zip"), QStringLiteral("town"),
                                       QStringLiteral("mobile")};
    if (!user.sound || !textFieldsOk(user.object, userTexts)) {
        noteItem(itemNumber, user.noConnection);
        return false;
    }
    readUser(user.text, fields);
    return true;
}

void LedgerFetch::appendRow(const QStringList &cells)
{
    LedgerTable &sg = m_host.masterList();
    int row = 1;
    while (row < sg.rowCount() && !sg.cell(LedgerColumn::Kohde, row).isEmpty())
        ++row;
    if (row >= sg.rowCount())
        sg.setRowCount(row + 1);
    sg.setRow(row, cells);
    ++m_added;
}

void LedgerFetch::notePage(int page, const QString &why)
{
    m_pageProblem = QStringLiteral("Kohdelistan sivua ") + QString::number(page)
                    + QStringLiteral(" ei saatu: ") + why;
}

void LedgerFetch::noteItem(const QString &itemNumber, bool noConnection)
{
    m_failedItems << itemNumber;
    m_itemConnectionLost = m_itemConnectionLost || noConnection;
}

QString LedgerFetch::problemText() const
{
    QStringList parts;
    if (!m_pageProblem.isEmpty())
        parts << m_pageProblem;
    if (m_loginLost)
        parts << QStringLiteral("Kirjautuminen Vasaroon epäonnistui kesken haun: loput kohteet jäivät hakematta.");
    if (!m_failedItems.isEmpty()) {
        QString text = QString::number(m_failedItems.size())
                       + (m_itemConnectionLost
                              ? QStringLiteral(" kohteen tietoja ei saatu (yhteys Vasaroon epäonnistui "
                                               "tai vastaus oli virheellinen): ")
                              : QStringLiteral(" kohteen tietoja ei saatu (vastaus oli tyhjä, "
                                               "katkennut tai virheellinen): "));
        text += QStringList(m_failedItems.mid(0, kNamedItems)).join(QStringLiteral(", "));
        if (m_failedItems.size() > kNamedItems)
            text += QStringLiteral(" …");
        parts << text;
    }
    if (parts.isEmpty())
        return QString();
    if (m_added == 0)
        parts << QStringLiteral("Listalle ei lisätty kohteita.");
    else
        parts << QStringLiteral("Listalle lisättiin ") + QString::number(m_added)
                     + (m_added == 1 ? QStringLiteral(" kohde.") : QStringLiteral(" kohdetta."));
    return parts.join(QStringLiteral("\r\n\r\n"));
}
