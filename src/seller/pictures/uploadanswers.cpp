#include "seller/pictures/uploadanswers.h"

#include <QStringList>

namespace UploadAnswers {

namespace {

const QString kError = QStringLiteral("Virhe!");
const QString kSettings = QStringLiteral("Asetukset ei ole kunnossa!");
const QString kJpg = QStringLiteral(".jpg");

Outcome failed(const QString &notice)
{
    return Outcome{QString(), notice};
}

QString withoutQuotes(QString text)
{
    return text.remove(QLatin1Char('"')).remove(QLatin1Char('\''));
}

QString target(bool aui)
{
    return aui ? QStringLiteral(" target=\"_blank\"") : QString();
}

// Wrapping of the numbered hosts: with `tagit` 2 a "<BR>" after every
// `rowLength` snippets when `rowBreaks` is on.
QString wrapNumbered(const QString &snippet, int tagit, int number, int rowLength, bool rowBreaks)
{
    if (tagit != 2)
        return wrap(snippet, tagit);
    if (rowBreaks && number % rowLength == 0)
        return snippet + QStringLiteral("<BR>");
    return snippet;
}

} // namespace

QString wrap(const QString &snippet, int tagit)
{
    switch (tagit) {
    case 0: return QStringLiteral("<P>") + snippet + QStringLiteral("</P>");
    case 1: return snippet + QStringLiteral("<BR>");
    default: return snippet;
    }
}

Outcome imgur(const QString &answer, int mode, const QString &siteRoot, const QString &imageRoot, int tagit)
{
    const QString text = withoutQuotes(answer);
    const int at = text.toLower().indexOf(QLatin1String("hash:"));
    if (at < 0)
        return failed(kError);
    const int from = at + 5;
    const int comma = text.indexOf(QLatin1Char(','), from);
    // A JSON answer may have a blank after the colon; ids have none.
    const QString id = comma < 0 ? QString() : text.mid(from, comma - from).trimmed();
    const QString image = imageRoot + id + kJpg;
    const QString snippet = mode == 1
        ? QStringLiteral("<a href=\"%1%2\"><img src=\"%3\" width=\"150\"></a>").arg(siteRoot, id, image)
        : QStringLiteral("<img src=\"%1\">").arg(image);
    return Outcome{wrap(snippet, tagit), QString()};
}

Outcome aijaa(const QString &answer, const QString &domain, bool aui, int tagit)
{
    const QString marker = QStringLiteral("value='<a");
    QString rest = answer;
    if (!rest.toLower().contains(marker))
        return failed(kError);
    QString all;
    for (int at = rest.toLower().indexOf(marker); at >= 0; at = rest.toLower().indexOf(marker)) {
        const int from = at + 7;   // the "<a"
        int end = rest.indexOf(QLatin1Char('\''), from);
        if (end < 0)
            end = rest.size();
        QString snippet = withoutQuotes(rest.mid(from, end - from));
        rest = rest.mid(end);
        if (!aui) {
            const int t = snippet.indexOf(QLatin1String(" target=_blank"), 0, Qt::CaseInsensitive);
            if (t >= 0)
                snippet.remove(t, 14);
        }
        if (domain.isEmpty() || !snippet.contains(domain, Qt::CaseInsensitive))
            continue;
        snippet = wrap(snippet, tagit);
        if (!all.contains(snippet))
            all += snippet;
    }
    return all.isEmpty() ? failed(kError) : Outcome{all, QString()};
}

QStringList jpgNames(const QString &answer)
{
    QStringList names;
    QString rest = answer;
    for (int at = rest.indexOf(kJpg, 0, Qt::CaseInsensitive); at >= 0;
         at = rest.indexOf(kJpg, 0, Qt::CaseInsensitive)) {
        names << rest.left(at + 4);
        rest = rest.mid(at + 4);
    }
    return names;
}

Outcome vasarokuva(const QString &answer, int mode, const QString &root, bool aui, int tagit)
{
    if (answer.isEmpty())
        return failed(kError);
    if (!answer.toLower().contains(kJpg))
        return failed(kSettings);
    QString all;
    int number = 0;
    for (const QString &name : jpgNames(answer)) {
        ++number;
        const QString src = mode == 8 ? root + QStringLiteral("t/") + name : root + name;
        const QString snippet = QStringLiteral("<a href=\"%1kuva/%2\" rel=\"nofollow\"%3><img alt=\"Vasarokuva\" src=\"%4\" /></a>")
                                    .arg(root, name, target(aui), src);
        all += wrapNumbered(snippet, tagit, number, 4, mode == 8);
    }
    return Outcome{all, QString()};
}

Outcome ownServer(const QString &answer, int mode, const QString &address, bool aui, int tagit)
{
    if (answer.isEmpty())
        return failed(kError);
    if (!answer.toLower().contains(kJpg))
        return failed(kSettings);
    const QString base = address.left(address.lastIndexOf(QLatin1Char('/')) + 1);
    QString all;
    int number = 0;
    for (const QString &name : jpgNames(answer)) {
        ++number;
        QString shown = name;
        shown.replace(shown.indexOf(kJpg, 0, Qt::CaseInsensitive), 4, QStringLiteral("p.jpg"));
        const QString snippet = QStringLiteral("<a href=\"%1%2\"%3><img src=\"%1%4\"></a>").arg(base, name, target(aui), shown);
        all += wrapNumbered(snippet, tagit, number, 3, mode == 6);
    }
    return Outcome{all, QString()};
}

} // namespace UploadAnswers
