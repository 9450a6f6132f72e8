// Favourites: an internet shortcut file of any content opens an address of
// one line (its "URL=" or the file itself), and a favourite added under any
// title opens the address it was added for.
#include "browser/tools/favoritesfolder.h"
#include "fuzzsupport.h"
#include "ledgerfuzz.h"
#include <QDir>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const Fuzz::Input in(data, size);
    const QString shortcut = Fuzz::scratch() + QStringLiteral("in.url");
    Fuzz::writeBytes(shortcut, Fuzz::raw(data, size));
    const QString target = FavoritesFolder::target(shortcut);
    FUZZ_CHECK(!target.isEmpty() && !target.contains(u'\r') && !target.contains(u'\n'));

    const QString root = Fuzz::scratch() + QStringLiteral("Suosikit");
    QDir(root).removeRecursively();
    const FavoritesFolder favourites(root);
    QString url = QString::fromUtf8(in.utf8(2).toUtf8()).trimmed();
    url.remove(u'\r').remove(u'\n');
    const QString title = in.mode() & 1 ? in.utf16(1) : in.utf8(1);
    const FavoritesFolder::AddResult added = favourites.add(url, title);
    if (url.isEmpty()) {
        FUZZ_CHECK(added == FavoritesFolder::AddResult::EmptyUrl);
        return 0;
    }
    FUZZ_CHECK(added == FavoritesFolder::AddResult::Added);
    const auto entries = favourites.list(root);
    FUZZ_CHECK(entries && entries->size() == 1);
    FUZZ_CHECK(FavoritesFolder::target(entries->first().path) == url);
    return 0;
}
