#include "client/httpapi.h"
#include "core/settings.h"
#include "scriptedprompts.h"
#include "seller/pictures/pictureupload.h"

#include <QBuffer>
#include <QImage>
#include <QImageReader>
#include <QPainter>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// Records the upload and answers with a set text.
class UploadRecorder final : public HttpApi {
public:
    struct Upload {
        QString address, referer;
        QStringList files, fileFields, values, names;
        QList<QSize> sizes;   // of the prepared pictures, as Qt's reader sees them
    };
    QList<Upload> uploads;
    QString answer;

    QString xmlhttpget(Object, const QString &, int) override { return {}; }
    QString xmlhttppost(Object, const QString &, const QByteArray &, int, const QStringList &,
                        const QStringList &) override { return {}; }
    QString UploadHttpPost(const QString &address, const QString &referer, const QStringList &files,
                           const QStringList &fileFields, const QStringList &values,
                           const QStringList &names) override
    {
        Upload u{address, referer, files, fileFields, values, names, {}};
        for (const QString &f : files)
            u.sizes << (f.isEmpty() ? QSize() : QImageReader(f, "jpeg").size());
        uploads << u;
        return answer;
    }
};

class RecordingHost final : public PictureUploadHost {
public:
    QStringList notices;
    QStringList inserted;
    bool insertWorks = true;
    int settingsOpened = 0;
    int stopCleared = 0;

    void naytapaneeli(const QString &text, int seconds) override
    {
        notices << text + QLatin1Char('/') + QString::number(seconds);
    }
    void hidePanel() override { notices << QStringLiteral("-"); }
    bool insert_into_description(const QString &snippet) override
    {
        inserted << snippet;
        return insertWorks;
    }
    void openPictureSettings() override { ++settingsOpened; }
    void clearStopFlag() override { ++stopCleared; }
};

} // namespace

class TestPictureUpload : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QTemporaryDir m_temp;

    struct Fixture {
        explicit Fixture(const QString &temp)
            : upload(settings, http, prompts, host,
                     {QStringLiteral("http://imgur.test/"), QStringLiteral("http://i.imgur.test/"),
                      QStringLiteral("http://www.aijaa.test/"), QStringLiteral("http://www.vasarokuva.test/")},
                     temp + QLatin1Char('/'))
        {
        }
        Settings settings;
        UploadRecorder http;
        ScriptedPrompts prompts;
        RecordingHost host;
        PictureUpload upload;
    };

    QString picture(const QString &name, QSize size)
    {
        QImage img(size, QImage::Format_RGB888);
        img.fill(QColor(30, 120, 200));
        const QString path = m_dir.filePath(name);
        img.save(path);   // the format its name says
        return path;
    }

private slots:
    void imgurSmall()
    {
        Fixture f(m_temp.path());
        f.prompts.files << picture(QStringLiteral("a.jpg"), QSize(1600, 1200));
        f.http.answer = QStringLiteral("{\"data\":{\"hash\":\"AbC12\",\"x\":1}}");
        f.upload.lisakuva(1);
        QCOMPARE(f.http.uploads.size(), 1);
        const auto &u = f.http.uploads.first();
        QCOMPARE(u.address, QStringLiteral("http://imgur.test/upload"));
        QCOMPARE(u.referer, QStringLiteral("http://imgur.test/"));
        QCOMPARE(u.fileFields, QStringList{QStringLiteral("file")});
        QCOMPARE(u.names, (QStringList{QStringLiteral("album_title"), QStringLiteral("layout")}));
        QCOMPARE(u.values, (QStringList{QStringLiteral("Optional Album Title"), QStringLiteral("b")}));
        QCOMPARE(u.sizes.first(), QSize(800, 600));     // mode 1: 800 wide, main-picture height
        QCOMPARE(f.host.inserted, QStringList{QStringLiteral(
            "<P><a href=\"http://imgur.test/AbC12\"><img src=\"http://i.imgur.test/AbC12.jpg\" width=\"150\"></a></P>")});
        QCOMPARE(f.host.notices, (QStringList{QStringLiteral("Pienennetään kuvaa../5"), QStringLiteral("-"),
                                              QStringLiteral("Odota../145"), QStringLiteral("Lisätty!/3")}));
        QCOMPARE(f.upload.upload_mode(), 0);
    }

    void imgurMissingFileEndsSilently()
    {
        Fixture f(m_temp.path());
        f.prompts.files << m_dir.filePath(QStringLiteral("poissa.jpg"));
        f.upload.lisakuva(2);
        QVERIFY(f.http.uploads.isEmpty());
        QVERIFY(f.host.notices.isEmpty());
    }

    void cancelDoesNothing_data()
    {
        QTest::addColumn<int>("command");
        QTest::newRow("imgur") << 0;
        QTest::newRow("aijaa") << 1;
        QTest::newRow("vasarokuva") << 2;
        QTest::newRow("own server") << 3;
    }
    void cancelDoesNothing()
    {
        QFETCH(int, command);
        Fixture f(m_temp.path());
        f.settings.omapalvelin = QStringLiteral("http://koti.test/a.php");
        switch (command) {
        case 0: f.upload.lisakuva(1); break;
        case 1: f.upload.lisakuvaaijaa(); break;
        case 2: f.upload.vasarokuva2(8); break;
        default: f.upload.Kotisivu(6); break;
        }
        QCOMPARE(f.prompts.asked.size(), 1);   // only the dialog
        QVERIFY(f.http.uploads.isEmpty());
        QVERIFY(f.host.notices.isEmpty());
        QVERIFY(f.host.inserted.isEmpty());
        QCOMPARE(f.upload.upload_mode(), 0);
    }

    void aijaaLimit_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<bool>("sent");
        QTest::newRow("50 accepted") << 50 << true;
        QTest::newRow("51 refused") << 51 << false;
    }
    void aijaaLimit()
    {
        QFETCH(int, count);
        QFETCH(bool, sent);
        Fixture f(m_temp.path());
        const QString one = picture(QStringLiteral("pieni.jpg"), QSize(40, 30));
        f.prompts.fileLists << QStringList(QList<QString>(count, one));
        f.http.answer = QStringLiteral("value='<a href=http://www.aijaa.test/v/1>'");
        f.upload.lisakuvaaijaa();
        QCOMPARE(f.http.uploads.size(), sent ? 1 : 0);
        if (sent) {
            QCOMPARE(f.http.uploads.first().files.size(), 50);
            QCOMPARE(f.http.uploads.first().fileFields, QStringList(QList<QString>(50, QStringLiteral("img[]"))));
            QCOMPARE(f.host.stopCleared, 1);
        } else {
            QCOMPARE(f.prompts.asked.last(), QStringLiteral(
                "information: Aijaa tukee max 50 kuvan lähettämistä kerralla.\n\nValitse enintään 50 kuvaa!"));
        }
    }

    void aijaaFields()
    {
        Fixture f(m_temp.path());
        f.prompts.fileLists << QStringList{picture(QStringLiteral("k.jpg"), QSize(3000, 2000))};
        f.http.answer = QStringLiteral("value='<a href=http://www.aijaa.test/v/1>'");
        f.upload.lisakuvaaijaa();
        const auto &u = f.http.uploads.first();
        QCOMPARE(u.address, QStringLiteral("http://www.aijaa.test/upld/"));
        QCOMPARE(u.referer, QStringLiteral("http://www.aijaa.test/"));
        QCOMPARE(u.names, (QStringList{"from", "title", "fselectos", "autmPoisto"}));
        QCOMPARE(u.values, (QStringList{"etu", "", "-", "0"}));
        QCOMPARE(u.sizes.first(), QSize(1024, 683));   // extra-picture box 1024 x 1500
    }

    // A picture that cannot be decoded is told about and sent as an empty
    // part; a vanished one keeps its number with an empty path.
    void vasarokuvaNumbersAndBadFiles()
    {
        Fixture f(m_temp.path());
        f.settings.hktunnus = QStringLiteral("Myyjä Oy");
        f.settings.hksalasana = QStringLiteral("s&l");
        const QString bad = m_dir.filePath(QStringLiteral("rikki.jpg"));
        QFile(bad).open(QIODevice::WriteOnly);
        f.prompts.fileLists << QStringList{picture(QStringLiteral("v1.jpg"), QSize(2000, 1000)), bad,
                                           m_dir.filePath(QStringLiteral("poissa.jpg")),
                                           picture(QStringLiteral("v4.png"), QSize(300, 200))};
        f.http.answer = QStringLiteral("1.jpg4.jpg");
        f.upload.vasarokuva2(9);
        const auto &u = f.http.uploads.first();
        QCOMPARE(u.address, QStringLiteral("http://www.vasarokuva.test/multikuva.php"));
        QCOMPARE(u.referer, u.address);
        QCOMPARE(u.fileFields, (QStringList{"tiedosto1", "tiedosto2", "tiedosto3", "tiedosto4"}));
        QCOMPARE(u.names, (QStringList{"user", "pass"}));
        QCOMPARE(u.values, (QStringList{"Myyj%c3%a4+Oy", "s%26l"}));
        QVERIFY(!u.files[0].isEmpty() && u.files[1].isEmpty() && u.files[2].isEmpty() && !u.files[3].isEmpty());
        QCOMPARE(u.sizes[0], QSize(800, 400));
        QCOMPARE(u.sizes[3], QSize(300, 200));
        QCOMPARE(f.prompts.asked.count(QStringLiteral("message: Kuva tiedosto on väärän tyyppinen!")), 1);
        QCOMPARE(f.host.inserted.size(), 1);
        QVERIFY(f.host.inserted.first().contains(QLatin1String("src=\"http://www.vasarokuva.test/4.jpg\"")));
    }

    // The prepared copies go once sent; the user's pictures and a picture
    // another running program prepared in the same folder stay.
    void preparedCopiesGoAfterUpload()
    {
        Fixture f(m_temp.path());
        const QString others = m_temp.filePath(QStringLiteral("Vss4242.jpg"));
        QVERIFY(QImage(QSize(10, 10), QImage::Format_RGB888).save(others));
        const QStringList chosen{picture(QStringLiteral("p1.jpg"), QSize(2000, 1500)),
                                 picture(QStringLiteral("p2.png"), QSize(300, 200))};
        f.prompts.fileLists << chosen;
        f.http.answer = QStringLiteral("value='<a href=http://www.aijaa.test/v/1>'");
        f.upload.lisakuvaaijaa();
        QCOMPARE(f.http.uploads.size(), 1);
        const QStringList sent = f.http.uploads.first().files;
        QCOMPARE(sent.size(), 2);
        for (const QString &path : sent)
            QVERIFY2(!path.isEmpty() && !QFile::exists(path), qPrintable(path));
        for (const QString &path : chosen)
            QVERIFY(QFile::exists(path));
        QVERIFY(QFile::exists(others));
        QFile::remove(others);
    }

    void ownServer()
    {
        Fixture f(m_temp.path());
        f.settings.omapalvelin = QStringLiteral("http://koti.test/kuvat/lataa.php");
        f.prompts.fileLists << QStringList{picture(QStringLiteral("o.jpg"), QSize(500, 500))};
        f.http.answer = QStringLiteral("o.jpg");
        f.upload.Kotisivu(7);
        const auto &u = f.http.uploads.first();
        QCOMPARE(u.address, QStringLiteral("http://koti.test/kuvat/lataa.php"));
        QCOMPARE(u.referer, QStringLiteral("http://koti.test/kuvat/"));
        QCOMPARE(u.fileFields, QStringList{QStringLiteral("fileupload1")});
        QCOMPARE(u.names, QStringList{QStringLiteral("w")});
        QCOMPARE(u.values, QStringList{QStringLiteral("600")});
    }

    void ownServerUnset()
    {
        Fixture f(m_temp.path());
        f.upload.Kotisivu(6);
        QCOMPARE(f.prompts.asked, QStringList{QStringLiteral("information: Lue ohjeet miten voi lisätä kuvia omille kotisivuille")});
    }

    void failuresInsertNothing_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<bool>("insertWorks");
        QTest::addColumn<QString>("notice");
        QTest::newRow("no answer") << "" << true << "Virhe!/3";
        QTest::newRow("no pictures") << "Kirjaudu ensin" << true << "Asetukset ei ole kunnossa!/3";
        QTest::newRow("no description field") << "a.jpg" << false << "Virhe!/3";
    }
    void failuresInsertNothing()
    {
        QFETCH(QString, answer);
        QFETCH(bool, insertWorks);
        QFETCH(QString, notice);
        Fixture f(m_temp.path());
        f.host.insertWorks = insertWorks;
        f.prompts.fileLists << QStringList{picture(QStringLiteral("f.jpg"), QSize(50, 50))};
        f.http.answer = answer;
        f.upload.vasarokuva2(8);
        QCOMPARE(f.host.notices.last(), notice);
        QCOMPARE(f.host.inserted.isEmpty(), insertWorks);
    }

    void credentialsPage()
    {
        Fixture f(m_temp.path());
        f.upload.tsClick();
        QCOMPARE(f.host.settingsOpened, 1);
    }
};

QTEST_MAIN(TestPictureUpload)
#include "tst_pictureupload.moc"
