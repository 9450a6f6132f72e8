#include "browser/session/sessionfile.h"
#include "core/atomicfile.h"
#include <QDir>
#include <QFile>
#include <QUrl>

namespace {
const QByteArray kMagic("VSselain-istunto 1");
constexpr qint64 kLargestFile = 1 << 20;

// Digits only (an optional leading minus): the file is ours but may be cut
// or edited by hand.
bool wholeNumber(const QString &text, int *out)
{
    const QString t = text.trimmed();
    const int start = t.startsWith(u'-') ? 1 : 0;
    if (t.size() <= start || t.size() > start + 9)
        return false;
    for (int i = start; i < t.size(); ++i) {
        if (!t.at(i).isDigit() || t.at(i).unicode() > '9')
            return false;
    }
    *out = t.toInt();
    return true;
}

QRect geometryOf(const QString &value)
{
    const QStringList parts = value.split(u',');
    int v[4];
    if (parts.size() != 4)
        return {};
    for (int i = 0; i < 4; ++i) {
        if (!wholeNumber(parts.at(i), &v[i]))
            return {};
    }
    if (v[2] <= 0 || v[3] <= 0)
        return {};
    return QRect(v[0], v[1], v[2], v[3]);
}

}

namespace SessionFile {

bool restorable(const QString &address)
{
    const QUrl url(address, QUrl::StrictMode);
    const QString scheme = url.scheme().toLower();
    return url.isValid() && (scheme == QLatin1String("http") || scheme == QLatin1String("https"));
}

QString path(const QString &dataFolder)
{
    return QDir(dataFolder).filePath(QStringLiteral("istunto.dat"));
}

QByteArray encode(const SessionState &state)
{
    QByteArray out = kMagic + '\n';
    out += "palauta=" + QByteArray(state.restoreTabs ? "1" : "0") + '\n';
    if (state.geometry.isValid()) {
        const QRect &g = state.geometry;
        out += QStringLiteral("ikkuna=%1,%2,%3,%4\n").arg(g.x()).arg(g.y()).arg(g.width()).arg(g.height()).toUtf8();
    }
    out += "suurennettu=" + QByteArray(state.maximised ? "1" : "0") + '\n';
    out += "aktiivinen=" + QByteArray::number(state.active) + '\n';
    for (const QString &address : state.addresses) {
        // One line per tab: a line break inside an address would split it.
        if (!address.contains(u'\n') && !address.contains(u'\r'))
            out += "valilehti=" + address.toUtf8() + '\n';
    }
    return out;
}

SessionState decode(const QByteArray &bytes)
{
    SessionState state;
    const QList<QByteArray> lines = bytes.split('\n');
    if (lines.isEmpty() || lines.first().trimmed() != kMagic)
        return state;
    for (int i = 1; i < lines.size(); ++i) {
        const QString line = QString::fromUtf8(lines.at(i)).trimmed();
        const int eq = line.indexOf(u'=');
        if (eq <= 0)
            continue;
        const QString key = line.left(eq);
        const QString value = line.mid(eq + 1);
        int n = 0;
        if (key == QLatin1String("palauta"))
            state.restoreTabs = value != QLatin1String("0");
        else if (key == QLatin1String("ikkuna"))
            state.geometry = geometryOf(value);
        else if (key == QLatin1String("suurennettu"))
            state.maximised = value == QLatin1String("1");
        else if (key == QLatin1String("aktiivinen") && wholeNumber(value, &n))
            state.active = n;
        else if (key == QLatin1String("valilehti") && restorable(value) && state.addresses.size() < kMostTabs)
            state.addresses << value;
    }
    if (state.active < 0 || state.active >= state.addresses.size())
        state.active = 0;
    return state;
}

SessionState read(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly) || f.size() > kLargestFile)
        return {};
    return decode(f.readAll());
}

bool write(const QString &path, const SessionState &state)
{
    return AtomicFile::write(path, encode(state));
}

}
