#include "settingschecks.h"
#include "settings.h"
#include "settingsfile.h"
#include "wholenumber.h"
#include <QDir>
#include <QFileInfo>

namespace {
QString clamped(const QString &text, int low, int high, const QString &fallback)
{
    const auto n = SettingsChecks::wholeNumber(text);
    if (!n)
        return fallback;
    if (*n < low)
        return QString::number(low);
    if (*n > high)
        return QString::number(high);
    return text;
}

QString withinOrDefault(const QString &text, int high, const QString &fallback)
{
    const auto n = SettingsChecks::wholeNumber(text);
    return (!n || *n < 0 || *n > high) ? fallback : text;
}
}

std::optional<int> SettingsChecks::wholeNumber(const QString &text)
{
    return WholeNumber::read(text);
}

void SettingsChecks::Edit1Exit(Settings &s)
{
    const QString fallback = QStringLiteral("1000");
    s.Edit1 = clamped(s.Edit1, 800, 1500, fallback);
    s.Edit2 = clamped(s.Edit2, 600, 1500, fallback);
    s.Edit3 = clamped(s.Edit3, 500, 1500, fallback);
    s.Edit4 = clamped(s.Edit4, 500, 1500, fallback);
}

void SettingsChecks::Edit5Exit(Settings &s)
{
    s.Edit5 = clamped(s.Edit5, 2, 360, QStringLiteral("60"));
}

void SettingsChecks::fonttilogoExit(Settings &s)
{
    s.fonttilogo = withinOrDefault(s.fonttilogo, 400, QStringLiteral("40"));
    s.lapinakyvyys = withinOrDefault(s.lapinakyvyys, 100, QStringLiteral("50"));
}

bool SettingsChecks::omapalvelinExit(Settings &s)
{
    // Secure addresses are accepted as well as plain http ones: the upload
    // goes through the same HTTP stack either way.
    const QString lower = s.omapalvelin.toLower();
    const bool web = lower.contains(QLatin1String("http://")) || lower.contains(QLatin1String("https://"));
    if (web && lower.contains(QLatin1String(".php")))
        return true;
    s.omapalvelin.clear();
    return false;
}

void SettingsChecks::ipohjatExit(Settings &s, const QString &dataFolder)
{
    QString dir = s.ipohjat;
    if (!dir.endsWith(u'/') && !dir.endsWith(u'\\'))
        dir += u'/';
    // An empty field would otherwise name the root folder. Paths keep their
    // "/" separators on this system.
    if (s.ipohjat.trimmed().isEmpty() || !QFileInfo(dir).isDir())
        dir = dataFolder;
    s.ipohjat = dir;
}

bool SettingsChecks::kotisivuExit(Settings &s, const QString &fallback)
{
    if (SettingsFile::isAddressText(s.kotisivu))
        return true;
    s.kotisivu = fallback;
    return false;
}
