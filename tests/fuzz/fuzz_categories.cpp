// The category catalogue. Any file gives a tree of at most three levels that
// holds exactly the lines that name a category under an existing parent.
#include "buyer/searchform/osastolista.h"
#include "fuzzsupport.h"

namespace {
int nodes(const QList<CategoryNode> &tree, int depth)
{
    FUZZ_CHECK(tree.isEmpty() || depth <= 3);
    int n = 0;
    for (const CategoryNode &node : tree)
        n += 1 + nodes(node.children, depth + 1);
    return n;
}

int expectedNodes(const QStringList &lines)
{
    int n = 0;
    bool main = false;
    bool sub = false;
    for (const QString &line : lines) {
        if (!line.contains(u'='))
            continue;
        const QChar type = line.at(0);
        if (type == u'm') {
            main = true;
            ++n;
        } else if (type == u's' && main) {
            sub = true;
            ++n;
        } else if (type == u'c' && sub) {
            ++n;
        }
    }
    return n;
}
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QStringList lines = Osastolista::lines(Fuzz::raw(data, size));
    for (const QString &line : lines)
        FUZZ_CHECK(!line.contains(u'\n'));
    FUZZ_CHECK(nodes(Osastolista::luo_puu(lines), 1) == expectedNodes(lines));
    return 0;
}
