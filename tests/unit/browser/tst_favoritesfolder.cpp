// The bookmarks folder behind "Suosikit": listing order, captions, shortcut
// targets, adding and deleting.
#include "browser/tools/favoritesfolder.h"
#include <QtTest>

class TstFavoritesFolder : public QObject {
    Q_OBJECT
private slots:
    void init();
    void listOrder();
    void listMissingFolder();
    void caption_data();
    void caption();
    void target_data();
    void target();
    void addAndNames();
    void addEmptyUrl();
    void addLongTitles_data();
    void addLongTitles();
    void addKeepsOtherFavourite();
    void removeFileNotFolder();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString root() const { return m_dir->filePath(QStringLiteral("Suosikit")); }
    void write(const QString &rel, const QByteArray &bytes);
};

void TstFavoritesFolder::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QDir().mkpath(root());
}

void TstFavoritesFolder::write(const QString &rel, const QByteArray &bytes)
{
    const QString path = root() + u'/' + rel;
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

void TstFavoritesFolder::listOrder()
{
    write("beta.url", "[InternetShortcut]\r\nURL=http://b/\r\n");
    write("Alfa.url", "[InternetShortcut]\r\nURL=http://a/\r\n");
    write("zeta/x.url", "[InternetShortcut]\r\nURL=http://x/\r\n");
    QDir().mkpath(root() + "/Kansio");
    write("muistio.txt", "x");
    FavoritesFolder fav(root());
    const auto entries = fav.list(root());
    QVERIFY(entries.has_value());
    QStringList names;
    for (const FavoriteEntry &e : *entries)
        names << e.displayName + (e.isFolder ? "/" : "");
    QCOMPARE(names, (QStringList{"Kansio/", "zeta/", "Alfa", "beta", "muistio.txt"}));
}

void TstFavoritesFolder::listMissingFolder()
{
    FavoritesFolder fav(root());
    QVERIFY(!fav.list(root() + "/puuttuu").has_value());
    QDir().mkpath(root() + "/tyhja");
    QVERIFY(fav.list(root() + "/tyhja")->isEmpty());
}

void TstFavoritesFolder::caption_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::newRow("short") << "Vasaro" << "Vasaro";
    QTest::newRow("50") << QString(50, u'x') << QString(50, u'x');
    QTest::newRow("51") << QString(51, u'x') << QString(50, u'x') + "...";
    QTest::newRow("60") << QString(60, u'y') << QString(50, u'y') + "...";
}

void TstFavoritesFolder::caption()
{
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QCOMPARE(FavoritesFolder::caption(name), caption);
}

void TstFavoritesFolder::target_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("target");
    QTest::newRow("url CRLF") << "a.url" << QByteArray("[InternetShortcut]\r\nURL=http://www.vasaro.fi/\r\n")
                              << "http://www.vasaro.fi/";
    QTest::newRow("other sections first")
        << "b.url" << QByteArray("[DEFAULT]\nBASEURL=http://wrong/\n[InternetShortcut]\nIconIndex=0\nurl=http://right/\n")
        << "http://right/";
    QTest::newRow("cp1252") << "c.url" << QByteArray("[InternetShortcut]\nURL=http://x.fi/h\xe4m\n")
                            << QString::fromUtf8("http://x.fi/häm");
    QTest::newRow("lone CR inside the URL line")
        << "e.url" << QByteArray("[InternetShortcut]\r\nURL=http://www.vasaro.fi/kohteet/12345678\rIconIndex=1\r\n")
        << "http://www.vasaro.fi/kohteet/12345678";
    QTest::newRow("CR-only line ends")
        << "f.url" << QByteArray("[InternetShortcut]\rIconIndex=0\rURL=http://cr.fi/\r") << "http://cr.fi/";
    QTest::newRow("desktop link") << "d.desktop"
                                  << QByteArray("[Desktop Entry]\nType=Link\nURL=http://d.fi/\n") << "http://d.fi/";
}

void TstFavoritesFolder::target()
{
    QFETCH(QString, file);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, target);
    write(file, bytes);
    QCOMPARE(FavoritesFolder::target(root() + u'/' + file), target);
}

void TstFavoritesFolder::addAndNames()
{
    FavoritesFolder fav(m_dir->filePath("uusi/Suosikit"));   // created on demand
    QCOMPARE(fav.add("http://www.vasaro.test/kohteet/1", "Kohde: \"hieno\" <1/2>"),
             FavoritesFolder::AddResult::Added);
    const auto entries = fav.list(fav.rootPath());
    QCOMPARE(entries->size(), 1);
    QCOMPARE(entries->first().displayName, QStringLiteral("Kohde hieno 1 2"));
    QCOMPARE(FavoritesFolder::target(entries->first().path), QStringLiteral("http://www.vasaro.test/kohteet/1"));
    // The same page again replaces its own favourite.
    QCOMPARE(fav.add("http://www.vasaro.test/kohteet/1", "Kohde: \"hieno\" <1/2>"),
             FavoritesFolder::AddResult::Added);
    QCOMPARE(fav.list(fav.rootPath())->size(), 1);
    // No title: the host names it.
    QCOMPARE(fav.add("http://www.vasaro.test/", ""), FavoritesFolder::AddResult::Added);
    QVERIFY(QFile::exists(fav.rootPath() + "/www.vasaro.test.url"));
}

void TstFavoritesFolder::addLongTitles_data()
{
    QTest::addColumn<QString>("title");
    QTest::newRow("84 CJK characters (252 bytes)") << QString(84, QChar(0x65E5));
    QTest::newRow("300 Finnish letters") << QString(300, QChar(0xE4));
    QTest::newRow("emoji pairs") << QString::fromUtf8("\xF0\x9F\x98\x80").repeated(70);
    QTest::newRow("Latin letters") << QString(300, u'x');
}

void TstFavoritesFolder::addLongTitles()
{
    QFETCH(QString, title);
    FavoritesFolder fav(root());
    // A second address with the same title gets a numbered name: it must fit too.
    QCOMPARE(fav.add("http://a.test/", title), FavoritesFolder::AddResult::Added);
    QCOMPARE(fav.add("http://b.test/", title), FavoritesFolder::AddResult::Added);
    const auto entries = fav.list(root());
    QCOMPARE(entries->size(), 2);
    for (const FavoriteEntry &e : *entries) {
        QVERIFY(QFile::encodeName(QFileInfo(e.path).fileName()).size() <= 255);
        // Cut between whole characters: the name is how the title begins.
        const QString name = e.displayName.endsWith(QLatin1String(" (2)")) ? e.displayName.chopped(4) : e.displayName;
        QVERIFY(!name.isEmpty());
        QVERIFY2(title.startsWith(name), qPrintable(e.displayName));
    }
    QCOMPARE(FavoritesFolder::target(entries->at(0).path), QStringLiteral("http://a.test/"));
}

void TstFavoritesFolder::addEmptyUrl()
{
    FavoritesFolder fav(root());
    QCOMPARE(fav.add("", "Otsikko"), FavoritesFolder::AddResult::EmptyUrl);
    QVERIFY(fav.list(root())->isEmpty());
}

void TstFavoritesFolder::addKeepsOtherFavourite()
{
    FavoritesFolder fav(root());
    QCOMPARE(fav.add("http://a/", "Sama"), FavoritesFolder::AddResult::Added);
    QCOMPARE(fav.add("http://b/", "Sama"), FavoritesFolder::AddResult::Added);
    QCOMPARE(FavoritesFolder::target(root() + "/Sama.url"), QStringLiteral("http://a/"));
    QCOMPARE(FavoritesFolder::target(root() + "/Sama (2).url"), QStringLiteral("http://b/"));
}

void TstFavoritesFolder::removeFileNotFolder()
{
    write("a.url", "[InternetShortcut]\nURL=http://a/\n");
    write("k/b.url", "[InternetShortcut]\nURL=http://b/\n");
    QVERIFY(FavoritesFolder::remove(root() + "/a.url"));
    QVERIFY(!QFile::exists(root() + "/a.url"));
    QVERIFY(!FavoritesFolder::remove(root() + "/k"));
    QVERIFY(QFile::exists(root() + "/k/b.url"));
}

QTEST_GUILESS_MAIN(TstFavoritesFolder)
#include "tst_favoritesfolder.moc"
