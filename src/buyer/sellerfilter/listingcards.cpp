#include "buyer/sellerfilter/listingcards.h"
#include "browser/engine/document.h"
#include <QFile>
#include <QVariantList>
#include <QVariantMap>

static void initSellerFilterResources()
{
    // The resource lives in a static library: make sure it is linked in.
    Q_INIT_RESOURCE(sellerfilter);
}

QString DocumentCards::script()
{
    static const QString text = [] {
        initSellerFilterResources();
        QFile f(QStringLiteral(":/buyer/js/sellerfilter.js"));
        return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
    }();
    return text;
}

DocumentCards::DocumentCards(Document &document) : m_document(document) {}

QList<CardCandidate> DocumentCards::read()
{
    m_token = -1;
    m_divs = 0;
    const QVariantMap answer =
        m_document.evaluate(script() + QStringLiteral(";\nwindow[Symbol.for('vsselain.sellerfilter')].read()")).toMap();
    if (!answer.contains(QStringLiteral("t")))
        return {};
    m_token = answer.value(QStringLiteral("t")).toLongLong();
    m_divs = answer.value(QStringLiteral("n")).toInt();
    const QVariantList rows = answer.value(QStringLiteral("c")).toList();
    QList<CardCandidate> cards;
    cards.reserve(rows.size());
    for (const QVariant &row : rows) {
        const QVariantList pair = row.toList();
        if (pair.size() == 2)
            cards.append({pair.at(0).toString(), pair.at(1).toBool()});
    }
    return cards;
}

int DocumentCards::hide(const QList<int> &positions)
{
    if (positions.isEmpty() || m_token < 0)
        return 0;
    QStringList numbers;
    numbers.reserve(positions.size());
    for (const int p : positions)
        numbers << QString::number(p);
    const QString call = QStringLiteral("(function (f) { return f ? f.hide(") + QString::number(m_token)
                         + QStringLiteral(", [") + numbers.join(u',')
                         + QStringLiteral("]) : -1; })(window[Symbol.for('vsselain.sellerfilter')])");
    const int hidden = m_document.evaluate(call).toInt();
    return hidden < 0 ? 0 : hidden;
}
