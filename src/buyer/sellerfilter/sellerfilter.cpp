#include "buyer/sellerfilter/sellerfilter.h"
#include "buyer/sellerfilter/filterhost.h"
#include "buyer/sellerfilter/listingcards.h"
#include "buyer/sellerfilter/listingkey.h"
#include "browser/engine/document.h"
#include "browser/pipeline/pipelinetab.h"
#include "client/strutil.h"
#include "client/urlscheme.h"
#include "core/clockformat.h"
#include "core/programclock.h"
#include "core/settings.h"
#include <cmath>

SellerFilter::SellerFilter(Settings &settings, ProgramClock &clock, Prompts &prompts, FilterHost &host)
    : m_settings(settings), m_clock(clock), m_prompts(prompts), m_host(host)
{
    setDayStamp();
}

void SellerFilter::setDayStamp()
{
    m_stamp = ClockFormat::dayStamp(m_clock.kellonaika());
}

int SellerFilter::today() const
{
    return int(std::nearbyint(ClockFormat::daySerial(m_clock.kellonaika())));
}

void SellerFilter::addKey(const QString &key)
{
    m_list.add(key + m_stamp);
    m_unchanged = false;
}

void SellerFilter::WBsuodata(PipelineTab &tab)
{
    DocumentCards cards(tab.document());
    WBsuodata(cards);
}

// One joined text per pass: every card's key is looked for in it; the list
// itself only takes the renewed entries and is cleaned at the end.
int SellerFilter::WBsuodata(CardPage &page)
{
    const bool withoutPictures = m_settings.PKK;
    int hidden = 0;
    if (withoutPictures || !m_list.isEmpty()) {
        const QByteArray joined = m_list.joinedUtf8();
        const QList<CardCandidate> cards = page.read();
        QList<int> hide;
        for (int i = 0; i < cards.size(); ++i) {
            const QString lower = cards.at(i).innerHtml.toLower();
            if (!ListingKey::isCard(lower))
                continue;
            if (!joined.isEmpty()) {
                const QString key = ListingKey::avain(cards.at(i).innerHtml);
                if (ListingKey::isUsable(key) && FilterList::occursIn(joined, key)) {
                    hide << i;
                    addKey(key);
                    continue;
                }
            }
            if (withoutPictures && lower.contains(QLatin1String("eikuvaa_140"))
                && !lower.contains(QLatin1String("-s.jpg")))
                hide << i;
        }
        hidden = page.hide(hide);
    }
    if (!m_list.isEmpty() && !m_unchanged)
        jarjestasuodatin();
    if (hidden > 0)
        m_host.statusNotice(QStringLiteral("Suodatettu ") + QString::number(hidden) + QStringLiteral("kpl"), 4);
    return hidden;
}

bool SellerFilter::Lisaasuodattimeen(CardPage &page, const QString &text)
{
    // Every card contains the empty text: it would pick an arbitrary listing.
    if (text.isEmpty())
        return false;
    for (const CardCandidate &card : page.read()) {
        if (card.innerHtml.toLower().contains(text)) {
            addKey(ListingKey::avain(card.innerHtml));
            return true;
        }
    }
    return false;
}

void SellerFilter::Lissuodattimeen1Click(PipelineTab &activeTab, const QString &linkAddress)
{
    const QString itemNumber = linkAddress.right(9).toLower();
    DocumentCards cards(activeTab.document());
    Lisaasuodattimeen(cards, itemNumber);
    WBsuodata(cards);
}

void SellerFilter::suodatakohde(PipelineTab &activeTab)
{
    const QString marker = PathWord::kohdesivu;
    DocumentCards cards(activeTab.document());
    QString text = activeTab.document().selectionHtml();
    QString previous = QStringLiteral("123");
    int at = text.indexOf(marker);
    while (at >= 0) {
        const QString itemNumber = StrUtil::palautaitemid(text);
        if (itemNumber != previous)
            Lisaasuodattimeen(cards, itemNumber);
        previous = itemNumber;
        text = text.mid(at + marker.size());
        at = text.indexOf(marker);
    }
    WBsuodata(cards);
}

int SellerFilter::wbmustalista(CardPage &page)
{
    int seen = 0;
    for (const CardCandidate &card : page.read()) {
        if (!ListingKey::isCard(card.innerHtml.toLower()))
            continue;
        ++seen;
        const QString key = ListingKey::avain(card.innerHtml);
        if (ListingKey::isUsable(key))
            m_list.add(key + m_stamp);
    }
    return seen;
}

void SellerFilter::jarjestasuodatin()
{
    m_list.removeDuplicates();
}

void SellerFilter::paivitasuodatin()
{
    const int lifetime = StrUtil::kokonaisluvuksi(m_settings.Edit5);
    int days = lifetime;
    if (lifetime < 2 || m_settings.Edit5.trimmed().isEmpty()) {
        days = 60;
        m_settings.Edit5 = QStringLiteral("60");
        m_host.Edit5Changed();
    }
    m_list.expire(today(), m_stamp, days);
}

QString SellerFilter::filePath() const
{
    return m_settings.suodatinPath;
}
