// The one-pass substring test of the address lists against QString::contains.
#include "browser/policy/substringmatcher.h"
#include <QRandomGenerator>
#include <QtTest>

class TestSubstringMatcher final : public QObject {
    Q_OBJECT
private slots:
    void find_data();
    void find();
    void agreesWithContains_data();
    void agreesWithContains();
    void unusableLists();
};

namespace {
std::uint64_t naive(const QStringList &patterns, const QString &text, bool fold)
{
    std::uint64_t hits = 0;
    const QString t = fold ? text.toLower() : text;
    for (int i = 0; i < patterns.size(); ++i) {
        const QString p = fold ? patterns[i].toLower() : patterns[i];
        if (!p.isEmpty() && t.contains(p))
            hits |= std::uint64_t(1) << i;
    }
    return hits;
}
}

void TestSubstringMatcher::find_data()
{
    QTest::addColumn<QStringList>("patterns");
    QTest::addColumn<bool>("fold");
    QTest::addColumn<QString>("text");
    QTest::addColumn<quint64>("hits");
    const QStringList overlap{QStringLiteral("abcd"), QStringLiteral("bc"), QStringLiteral("cde")};
    // A failed longer match must still see the shorter entry inside it.
    QTest::newRow("suffix after a failed match") << overlap << false << "xabce" << quint64(0b010);
    QTest::newRow("all three") << overlap << false << "abcde" << quint64(0b111);
    QTest::newRow("at the very end") << overlap << false << "zzcde" << quint64(0b100);
    QTest::newRow("none") << overlap << false << "acbd" << quint64(0);
    QTest::newRow("case-sensitive") << overlap << false << "ABCD" << quint64(0);
    QTest::newRow("folded") << overlap << true << "xABcD" << quint64(0b011);
    QTest::newRow("upper-case entry, folded") << QStringList{QStringLiteral("PromoBox")} << true << "/promobox/1"
                                              << quint64(1);
    QTest::newRow("beyond ASCII breaks a match") << overlap << false << QStringLiteral("ab\u00e4cd") << quint64(0);
    QTest::newRow("repeated prefix") << QStringList{QStringLiteral("/ads/")} << false << "//ad/ads/ads/"
                                     << quint64(1);
    QTest::newRow("empty entry ignored") << QStringList{QString(), QStringLiteral("a")} << false << "xyz"
                                         << quint64(0);
    QTest::newRow("empty text") << overlap << true << "" << quint64(0);
}

void TestSubstringMatcher::find()
{
    QFETCH(QStringList, patterns);
    QFETCH(bool, fold);
    QFETCH(QString, text);
    QFETCH(quint64, hits);
    const SubstringMatcher m(patterns, fold ? SubstringMatcher::Case::AsciiInsensitive : SubstringMatcher::Case::Sensitive);
    QVERIFY(m.usable());
    QCOMPARE(quint64(m.find(text)), hits);
}

void TestSubstringMatcher::agreesWithContains_data()
{
    QTest::addColumn<bool>("fold");
    QTest::newRow("case-sensitive") << false;
    QTest::newRow("folded") << true;
}

// Random entries and texts over a small alphabet, so that entries overlap,
// nest and share prefixes and suffixes often.
void TestSubstringMatcher::agreesWithContains()
{
    QFETCH(bool, fold);
    QRandomGenerator random(fold ? 17 : 4);
    const QString alphabet = QStringLiteral("abAB./c");
    const auto word = [&](int maxLength) {
        QString w;
        const int n = 1 + int(random.bounded(maxLength));
        for (int i = 0; i < n; ++i)
            w += alphabet.at(int(random.bounded(int(alphabet.size()))));
        return w;
    };
    for (int round = 0; round < 300; ++round) {
        QStringList patterns;
        const int count = 1 + int(random.bounded(12));
        for (int i = 0; i < count; ++i)
            patterns << word(5);
        const SubstringMatcher m(patterns, fold ? SubstringMatcher::Case::AsciiInsensitive : SubstringMatcher::Case::Sensitive);
        for (int t = 0; t < 20; ++t) {
            const QString text = word(40);
            QCOMPARE(quint64(m.find(text)), quint64(naive(patterns, text, fold)));
        }
    }
}

void TestSubstringMatcher::unusableLists()
{
    QStringList many;
    for (int i = 0; i <= SubstringMatcher::kMaxPatterns; ++i)
        many << QString::number(i);
    QVERIFY(!SubstringMatcher(many, SubstringMatcher::Case::Sensitive).usable());
    const SubstringMatcher beyondAscii({QStringLiteral("vasaro.fi"), QStringLiteral("h\u00e4m.fi")},
                                       SubstringMatcher::Case::AsciiInsensitive);
    QVERIFY(!beyondAscii.usable());
    QCOMPARE(quint64(beyondAscii.find(QStringLiteral("vasaro.fi"))), quint64(0));
    QVERIFY(SubstringMatcher::isAscii(QStringLiteral("http://www.vasaro.fi/?q=a%20b")));
    QVERIFY(!SubstringMatcher::isAscii(QStringLiteral("http://h\u00e4m.fi/")));
}

QTEST_MAIN(TestSubstringMatcher)
#include "tst_substringmatcher.moc"
