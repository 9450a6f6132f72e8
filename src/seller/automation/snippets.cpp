#include "seller/automation/snippets.h"
#include "client/urlscheme.h"
#include "seller/pageaccess.h"
#include "core/settings.h"

namespace {
constexpr int kRandomBound = 30000;
}

QString Snippets::link(const QString &webBase, const QString &sellerNumber, const QString &categoryValue)
{
    const QString area = categoryValue.isEmpty() ? QString() : QStringLiteral(" osastossa");
    const QString path = categoryValue.isEmpty() ? QString() : QStringLiteral("/category/") + categoryValue;
    return QStringLiteral("<P>Muut kohteeni") + area + QStringLiteral(" näet <a href=\"") + UrlScheme::myyjanKohteet(webBase, sellerNumber) + path
           + QStringLiteral("\"><FONT COLOR=\"BLUE\">tästä linkistä!</FONT></a></P>");
}

QString Snippets::counter(const QString &productPage, const QString &counterAddress, const QString &counterId,
                          int type, const QColor &colour)
{
    const QString rgb = QStringLiteral("%1%2%3")
                            .arg(colour.red(), 2, 16, QLatin1Char('0'))
                            .arg(colour.green(), 2, 16, QLatin1Char('0'))
                            .arg(colour.blue(), 2, 16, QLatin1Char('0'))
                            .toUpper();
    return QStringLiteral("<P><a href=\"") + productPage + QStringLiteral("\" target=\"_blank\"><img src=\"")
           + counterAddress + QStringLiteral("?nro=") + counterId + QStringLiteral("&tyyppi=")
           + QString::number(type) + QStringLiteral("&vari=") + rgb + QStringLiteral("\"></a></P>");
}

SnippetCommands::SnippetCommands(const Settings &settings, QString webBase, QString productPage, SnippetHost &host)
    : m_settings(settings), m_webBase(std::move(webBase)), m_productPage(std::move(productPage)), m_host(host)
{
}

// The form's own seller number; on a form without one, the signed-in
// user's, looked up once and kept until sign-out.
QString SnippetCommands::sellerNumber(const QString &fromForm)
{
    if (!fromForm.isEmpty())
        return fromForm;
    const QString user = m_host.signedInUser();
    if (user.isEmpty())
        return QString();
    if (m_cachedSellerNumber.isEmpty())
        m_cachedSellerNumber = m_host.lookUpUserId(user);
    return m_cachedSellerNumber;
}

void SnippetCommands::muutkohteet1Click(bool sameCategory)
{
    Document *document = m_host.activeDocument();
    if (!document)
        return;
    PageAccess page(*document, nullptr);
    const QString number = sellerNumber(page.get_field_value(QStringLiteral("userid")));
    QString category;
    if (sameCategory) {
        category = page.get_field_value(QStringLiteral("subCategoryId"));
        if (category.isEmpty())
            category = page.get_field_value(QStringLiteral("category_id"));
    }
    m_host.insert_into_description(Snippets::link(m_webBase, number, category));
}

void SnippetCommands::lisaalaskuriClick()
{
    Document *document = m_host.activeDocument();
    if (!document)
        return;
    PageAccess page(*document, nullptr);
    QString id = page.get_field_value(QStringLiteral("itemid"));
    if (id.size() < 6) {
        id = sellerNumber(page.get_field_value(QStringLiteral("userid")));
        id += QString::number(m_host.random(kRandomBound));
        id += QString::number(m_host.random(kRandomBound));
    }
    m_host.insert_into_description(
        Snippets::counter(m_productPage, m_settings.serveri, id, m_settings.rg, m_settings.ColorBox3));
}
