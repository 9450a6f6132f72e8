#include "buyer/favourites/favouritesoverview.h"
#include "client/urlscheme.h"
#include "core/cp1252.h"
#include "core/percentdecode.h"
#include "core/wholenumber.h"
#include <QStringDecoder>

namespace FavouritesOverview {

namespace {
const QLatin1String kHead("<TABLE CELLPADDING=\"4\" CELLSPACING=\"0\" BORDER=\"0\" WIDTH=\"100%\" "
                          "BGCOLOR=\"#EEEEEE\"><TR BGCOLOR=\"#CCCFE8\"><TH>");
constexpr int kLabelMax = 25;
constexpr int kLabelKept = 23;

QString escaped(QString text)
{
    return text.replace(u'"', QLatin1String("&quot;"))
        .replace(u'<', QLatin1String("&lt;"))
        .replace(u'>', QLatin1String("&gt;"));
}

QString sellersTable(const QStringList &sellers, const QString &webBase)
{
    QString t = kHead + QStringLiteral("Suosikkimyyjät:</TH></TR><TR><TD>");
    for (const QString &seller : sellers) {
        const QString s = escaped(seller);
        t += QLatin1String("<A href=\"") + escaped(webBase) + PathWord::kayttajatunnus + s
            + QLatin1String("\"><FONT color=\"blue\">")
            + s + QLatin1String("</FONT></A> ");
    }
    return t + QLatin1String("</TD></TR></TABLE>");
}

QString searchesTable(const QStringList &searches)
{
    QString t = kHead + QLatin1String("Suosikkihaut:</TH></TR><TR><TD align=left>");
    for (int n = 0; n < searches.size(); ++n) {
        const QString u = escaped(searches.at(n));
        t += QLatin1String("<A href=\"") + u + QLatin1String("\" title=\"") + u
            + QLatin1String("\"><font color=\"black\">Sanat: </font><font color=\"blue\">")
            + escaped(wordsLabel(searches.at(n))) + QLatin1String("</font><font color=\"black\"> Osastot: ")
            + escaped(categoriesLabel(searches.at(n)))
            + QLatin1String("</font></A> <a href=\"") + PathWord::poistahauista + QString::number(n)
            + QLatin1String("\" title=\"Poista\"><font color=\"red\">X</font></a><br>");
    }
    return t + QLatin1String("</TD></TR></TABLE>");
}
} // namespace

QString percentDecode(const QString &address)
{
    const QByteArray out = percentDecoded(address.toUtf8());
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8.decode(out);
    return utf8.hasError() ? Cp1252::decode(out) : text;
}

QString label(const QString &address, const QString &key, const QString &defaultLabel)
{
    QString result = defaultLabel;
    const int at = address.indexOf(key);
    if (at >= 0) {
        QString rest = address.mid(at + key.size()) + u'/';
        if (QStringView(u"/&=?").contains(rest.at(0)))
            rest.remove(0, 1);
        rest.replace(u'&', u'/').replace(u'=', u'/').replace(u'?', u'/');
        const QString value = rest.left(rest.indexOf(u'/'));
        if (!value.isEmpty())
            result = value;
    }
    if (result.size() > kLabelMax)
        result = result.left(kLabelKept) + QLatin1String("..");
    return result;
}

QString wordsLabel(const QString &address)
{
    return label(address.toLower(), QStringLiteral("words"), QString());
}

QString categoriesLabel(const QString &address)
{
    const QString lower = address.toLower();
    const QString all = QStringLiteral("Kaikki");
    const QString category = label(lower, QStringLiteral("category"), all);
    return category == all ? label(lower, QStringLiteral("cat="), all) : category;
}

QString html(const QStringList &sellers, const QStringList &searches, const QString &webBase)
{
    return sellersTable(sellers, webBase) + searchesTable(searches);
}

QString emptyMessage()
{
    return QStringLiteral("Suosikkimyyjiä tai hakuja ei löytynyt!\r\n\r\nMyyjiä voi lisätä kohdesivulta\r\n"
                          "ja hakuja hakutuloksista.");
}

Link link(const QString &target)
{
    Link result;
    const int seller = target.indexOf(PathWord::kayttajatunnus, 0, Qt::CaseInsensitive);
    if (seller >= 0) {
        result.kind = Link::Kind::Seller;
        result.name = target.mid(seller + PathWord::kayttajatunnus.size())
                          .replace(QLatin1String("%20"), QLatin1String(" "));
        return result;
    }
    const int remove = target.indexOf(PathWord::poistahauista, 0, Qt::CaseInsensitive);
    if (remove >= 0) {
        result.kind = Link::Kind::DeleteSearch;
        const QString tail = target.mid(remove + PathWord::poistahauista.size());
        int digits = 0;
        while (digits < tail.size() && tail.at(digits).isDigit() && tail.at(digits).unicode() < 128)
            ++digits;
        result.position = WholeNumber::readDigits(QStringView(tail).left(digits)).value_or(-1);
        return result;
    }
    if (target.contains(PathWord::hakutulos, Qt::CaseInsensitive))
        result.kind = Link::Kind::Search;
    return result;
}

} // namespace FavouritesOverview
