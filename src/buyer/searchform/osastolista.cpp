#include "buyer/searchform/osastolista.h"
#include "client/strutil.h"
#include "core/cp1252.h"
#include <QFile>

// The built-in copy sits in this static library: register it before use.
static void initBuiltInCatalogue()
{
    Q_INIT_RESOURCE(osastolista);
}

namespace Osastolista {

namespace {
constexpr qint64 kMaxFileBytes = 4 * 1024 * 1024;   // the catalogue is ~30 kB

QByteArray readSmallFile(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly) || f.size() > kMaxFileBytes)
        return {};
    return f.readAll();
}
} // namespace

QList<CategoryNode> luo_puu(const QStringList &lines)
{
    QList<CategoryNode> tree;
    qsizetype subMain = -1;   // the last sub-category: its main category ...
    qsizetype sub = -1;       // ... and its place there
    for (const QString &line : lines) {
        const int eq = line.indexOf(u'=');
        if (eq < 0)
            continue;
        CategoryNode node;
        node.number = StrUtil::kokonaisluvuksi(line.mid(1, eq - 1));
        node.name = line.mid(eq + 1);
        const QChar type = line.at(0);
        if (type == u'm') {
            tree.append(node);
        } else if (type == u's' && !tree.isEmpty()) {
            subMain = tree.size() - 1;
            tree[subMain].children.append(node);
            sub = tree[subMain].children.size() - 1;
        } else if (type == u'c' && sub >= 0) {
            tree[subMain].children[sub].children.append(node);
        }
    }
    return tree;
}

QStringList lines(const QByteArray &bytes)
{
    QStringList out = Cp1252::decode(bytes).split(u'\n');
    for (QString &line : out) {
        if (line.endsWith(u'\r'))
            line.chop(1);
    }
    return out;
}

QStringList lataa(const QString &folder)
{
    QByteArray bytes = readSmallFile(folder + QStringLiteral("osastolista"));
    if (bytes.isEmpty()) {
        initBuiltInCatalogue();
        bytes = readSmallFile(QStringLiteral(":/buyer/osastolista"));
    }
    return lines(bytes);
}

} // namespace Osastolista
