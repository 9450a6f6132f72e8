#include "update/versionanswer.h"

VersionAnswer VersionAnswer::parse(const QString &text)
{
    QString answer = text;
    answer.remove(u'\r').remove(u'\n').remove(u' ');
    VersionAnswer result;
    if (answer.size() < 2 || answer.at(1) != u'.')
        return result;
    result.valid = true;
    result.version = answer.left(4);
    if (answer.size() > 4 && answer.endsWith(u'/'))
        result.downloadBase = answer.mid(4);
    return result;
}

bool VersionAnswer::isNewer(const QString &version, const QString &current)
{
    return QString::compare(version, current, Qt::CaseSensitive) > 0;
}
