#include "seller/pictures/uploadanswers.h"

#include <QtTest>

namespace {
const QString kImgur = QStringLiteral("http://imgur.test/");
const QString kImgurImages = QStringLiteral("http://i.imgur.test/");
const QString kVasarokuva = QStringLiteral("http://www.vasarokuva.test/");
const QString kOwn = QStringLiteral("http://koti.example.test/kuvat/lataa.php");
}

class TestUploadAnswers : public QObject {
    Q_OBJECT

private slots:
    void wrapping_data()
    {
        QTest::addColumn<int>("tagit");
        QTest::addColumn<QString>("wrapped");
        QTest::newRow("0 <P></P>") << 0 << "<P>x</P>";
        QTest::newRow("1 <BR>") << 1 << "x<BR>";
        QTest::newRow("2 nothing") << 2 << "x";
    }
    void wrapping()
    {
        QFETCH(int, tagit);
        QFETCH(QString, wrapped);
        QCOMPARE(UploadAnswers::wrap(QStringLiteral("x"), tagit), wrapped);
    }

    void imgur_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("snippets");
        QTest::addColumn<QString>("notice");
        const QString answer = QStringLiteral("{\"data\":{\"Hash\":\"AbC12\",\"deletehash\":\"zz\"},\"success\":true}");
        QTest::newRow("small links the page") << answer << 1
            << "<a href=\"http://imgur.test/AbC12\"><img src=\"http://i.imgur.test/AbC12.jpg\" width=\"150\"></a>" << "";
        QTest::newRow("large") << answer << 2 << "<img src=\"http://i.imgur.test/AbC12.jpg\">" << "";
        QTest::newRow("apostrophes") << "{'hash':'Xy9',x}" << 2 << "<img src=\"http://i.imgur.test/Xy9.jpg\">" << "";
        QTest::newRow("blank after the colon") << "{\"data\": {\"hash\": \"Xy9\", \"x\": 1}}" << 2
            << "<img src=\"http://i.imgur.test/Xy9.jpg\">" << "";
        QTest::newRow("no comma: empty id") << "{hash:Xy9}" << 2 << "<img src=\"http://i.imgur.test/.jpg\">" << "";
        QTest::newRow("no hash") << "<html>Palvelinvirhe</html>" << 1 << "" << "Virhe!";
        QTest::newRow("empty answer") << "" << 1 << "" << "Virhe!";
    }
    void imgur()
    {
        QFETCH(QString, answer);
        QFETCH(int, mode);
        QFETCH(QString, snippets);
        QFETCH(QString, notice);
        const UploadAnswers::Outcome o = UploadAnswers::imgur(answer, mode, kImgur, kImgurImages, 2);
        QCOMPARE(o.snippets, snippets);
        QCOMPARE(o.notice, notice);
    }

    void aijaa_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<bool>("aui");
        QTest::addColumn<QString>("snippets");
        QTest::addColumn<QString>("notice");
        const QString one = QStringLiteral("<input value='<a href=\"http://aijaa.com/v/a1\" target=_blank><img src=\"http://aijaa.com/t/a1.jpg\"></a>'>");
        const QString two = QStringLiteral("<input VALUE='<A href=http://aijaa.com/v/b2 TARGET=_blank><img src=x></A>'>");
        const QString oneSnippet = QStringLiteral("<P><a href=http://aijaa.com/v/a1 target=_blank><img src=http://aijaa.com/t/a1.jpg></a></P>");
        QTest::newRow("two links") << one + two << true
            << oneSnippet + "<P><A href=http://aijaa.com/v/b2 TARGET=_blank><img src=x></A></P>" << "";
        QTest::newRow("same link twice inserted once") << one + one << true << oneSnippet << "";
        QTest::newRow("aui off drops the target") << one << false
            << "<P><a href=http://aijaa.com/v/a1><img src=http://aijaa.com/t/a1.jpg></a></P>" << "";
        QTest::newRow("foreign link skipped") << "<input value='<a href=http://muu.test/x>'>" + one << true << oneSnippet << "";
        QTest::newRow("only foreign links") << QStringLiteral("<input value='<a href=http://muu.test/x>'>") << true << "" << "Virhe!";
        QTest::newRow("no marker") << "<html>Virhe palvelimella</html>" << true << "" << "Virhe!";
        QTest::newRow("cut after the marker") << "value='<a href=http://aijaa.com/v/c" << true
            << "<P><a href=http://aijaa.com/v/c</P>" << "";
    }
    void aijaa()
    {
        QFETCH(QString, answer);
        QFETCH(bool, aui);
        QFETCH(QString, snippets);
        QFETCH(QString, notice);
        const UploadAnswers::Outcome o = UploadAnswers::aijaa(answer, QStringLiteral("aijaa.com"), aui, 0);
        QCOMPARE(o.snippets, snippets);
        QCOMPARE(o.notice, notice);
    }

    void vasarokuva_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("tagit");
        QTest::addColumn<QString>("snippets");
        QTest::addColumn<QString>("notice");
        const auto small = [](const QString &n) {
            return QStringLiteral("<a href=\"http://www.vasarokuva.test/kuva/%1\" rel=\"nofollow\" target=\"_blank\">"
                                  "<img alt=\"Vasarokuva\" src=\"http://www.vasarokuva.test/t/%1\" /></a>").arg(n);
        };
        QTest::newRow("small, <P>") << "a.jpgb.JPG" << 8 << 0 << "<P>" + small("a.jpg") + "</P><P>" + small("b.JPG") + "</P>" << "";
        QTest::newRow("six small, nothing: row of four")
            << "1.jpg2.jpg3.jpg4.jpg5.jpg6.jpg" << 8 << 2
            << small("1.jpg") + small("2.jpg") + small("3.jpg") + small("4.jpg") + "<BR>" + small("5.jpg") + small("6.jpg") << "";
        QTest::newRow("large, <BR>") << "x.jpg" << 9 << 1
            << "<a href=\"http://www.vasarokuva.test/kuva/x.jpg\" rel=\"nofollow\" target=\"_blank\">"
               "<img alt=\"Vasarokuva\" src=\"http://www.vasarokuva.test/x.jpg\" /></a><BR>" << "";
        QTest::newRow("large, nothing: no rows") << "1.jpg2.jpg3.jpg4.jpg5.jpg" << 9 << 2
            << QString() << "";
        QTest::newRow("empty") << "" << 8 << 0 << "" << "Virhe!";
        QTest::newRow("no jpg") << "Väärä salasana" << 8 << 0 << "" << "Asetukset ei ole kunnossa!";
    }
    void vasarokuva()
    {
        QFETCH(QString, answer);
        QFETCH(int, mode);
        QFETCH(int, tagit);
        QFETCH(QString, snippets);
        QFETCH(QString, notice);
        const UploadAnswers::Outcome o = UploadAnswers::vasarokuva(answer, mode, kVasarokuva, true, tagit);
        QCOMPARE(o.notice, notice);
        if (!snippets.isEmpty())
            QCOMPARE(o.snippets, snippets);
        if (mode == 9 && tagit == 2)
            QVERIFY(!o.snippets.contains(QLatin1String("<BR>")));
    }

    void ownServer_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("tagit");
        QTest::addColumn<bool>("aui");
        QTest::addColumn<QString>("snippets");
        QTest::addColumn<QString>("notice");
        const QString a = QStringLiteral("<a href=\"http://koti.example.test/kuvat/a.jpg\"><img src=\"http://koti.example.test/kuvat/ap.jpg\"></a>");
        const QString b = QStringLiteral("<a href=\"http://koti.example.test/kuvat/b.jpg\"><img src=\"http://koti.example.test/kuvat/bp.jpg\"></a>");
        QTest::newRow("a.jpgb.jpg") << "a.jpgb.jpg" << 6 << 2 << false << a + b << "";
        QTest::newRow("row of three in mode 6") << "a.jpgb.jpga.jpgb.jpg" << 6 << 2 << false << a + b + a + "<BR>" + b << "";
        QTest::newRow("no rows in mode 7") << "a.jpgb.jpga.jpgb.jpg" << 7 << 2 << false << a + b + a + b << "";
        QTest::newRow("target") << "a.jpg" << 7 << 1 << true
            << "<a href=\"http://koti.example.test/kuvat/a.jpg\" target=\"_blank\"><img src=\"http://koti.example.test/kuvat/ap.jpg\"></a><BR>" << "";
        QTest::newRow("empty") << "" << 6 << 0 << false << "" << "Virhe!";
        QTest::newRow("no jpg") << "<?php error" << 6 << 0 << false << "" << "Asetukset ei ole kunnossa!";
    }
    void ownServer()
    {
        QFETCH(QString, answer);
        QFETCH(int, mode);
        QFETCH(int, tagit);
        QFETCH(bool, aui);
        QFETCH(QString, snippets);
        QFETCH(QString, notice);
        const UploadAnswers::Outcome o = UploadAnswers::ownServer(answer, mode, kOwn, aui, tagit);
        QCOMPARE(o.snippets, snippets);
        QCOMPARE(o.notice, notice);
    }
};

QTEST_MAIN(TestUploadAnswers)
#include "tst_uploadanswers.moc"
