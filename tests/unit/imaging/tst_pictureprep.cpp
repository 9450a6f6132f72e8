#include "core/settings.h"
#include "imaging/alphablend.h"
#include "imaging/boxfilter.h"
#include "imaging/logostamp.h"
#include "imaging/picturebatch.h"
#include "imaging/pictureprep.h"
#include "imaging/shrinkrule.h"
#include "imaging/tempname.h"
#include "picturefixtures.h"

#include <QFontInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>
#include <algorithm>

namespace {
QImage filled(int w, int h, QRgb colour)
{
    QImage img(w, h, QImage::Format_RGB888);
    img.fill(colour);
    return img;
}

// Largest difference of any component between two same-size pictures.
int largestChange(const QImage &a, const QImage &b)
{
    int most = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            most = std::max({most, qAbs(qRed(p) - qRed(q)), qAbs(qGreen(p) - qGreen(q)), qAbs(qBlue(p) - qBlue(q))});
        }
    return most;
}

bool hasPixel(const QImage &img, QRgb colour, QRect area)
{
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (img.pixel(x, y) == colour)
                return true;
    return false;
}
} // namespace

class TestPicturePrep : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

    QString folder() const { return m_dir.path() + QLatin1Char('/'); }

    QString jpegFile(const QString &name, QSize size)
    {
        const QString path = m_dir.filePath(name);
        Fixtures::write(path, Fixtures::encoded(Fixtures::halves(size.width(), size.height()), "jpg"));
        return path;
    }

private slots:
    void shrinkRule_data()
    {
        QTest::addColumn<QSize>("picture");
        QTest::addColumn<QSize>("limit");
        QTest::addColumn<QSize>("expected");
        QTest::newRow("4000x3000 into 1024x1500") << QSize(4000, 3000) << QSize(1024, 1500) << QSize(1024, 768);
        QTest::newRow("1000x3000 into 1024x1500") << QSize(1000, 3000) << QSize(1024, 1500) << QSize(500, 1500);
        QTest::newRow("700x500 fits 800x600") << QSize(700, 500) << QSize(800, 600) << QSize(700, 500);
        QTest::newRow("1200x900 into 600x600") << QSize(1200, 900) << QSize(600, 600) << QSize(600, 450);
        QTest::newRow("never enlarged") << QSize(20, 10) << QSize(1500, 1500) << QSize(20, 10);
        QTest::newRow("half rounds down to even") << QSize(25, 20) << QSize(100, 2) << QSize(2, 2);   // 2.5
        QTest::newRow("half rounds up to even") << QSize(35, 20) << QSize(100, 2) << QSize(4, 2);     // 3.5
        QTest::newRow("width bound, half to even") << QSize(40, 50) << QSize(4, 100) << QSize(4, 5);
    }
    void shrinkRule()
    {
        QFETCH(QSize, picture);
        QFETCH(QSize, limit);
        QFETCH(QSize, expected);
        QCOMPARE(ShrinkRule::targetSize(picture, limit), expected);
    }

    void limitsForMode_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("edit2");
        QTest::addColumn<QSize>("expected");
        QTest::newRow("1 Imgur small") << 1 << "600" << QSize(800, 600);
        QTest::newRow("2 Imgur large") << 2 << "700" << QSize(600, 700);
        QTest::newRow("3 Aijaa") << 3 << "600" << QSize(1024, 1500);
        QTest::newRow("6 own server") << 6 << "600" << QSize(1024, 1500);
        QTest::newRow("7 own server") << 7 << "600" << QSize(1024, 1500);
        QTest::newRow("8 Vasarokuva") << 8 << "600" << QSize(800, 600);
        QTest::newRow("9 Vasarokuva") << 9 << "600" << QSize(800, 600);
        QTest::newRow("0 other") << 0 << "600" << QSize(800, 600);
        QTest::newRow("height not a number") << 9 << "x" << QSize(800, 1000);
    }
    void limitsForMode()
    {
        QFETCH(int, mode);
        QFETCH(QString, edit2);
        QFETCH(QSize, expected);
        Settings s;
        s.Edit2 = edit2;
        QCOMPARE(ShrinkRule::limitsForMode(mode, s), expected);
    }

    // The written file, read back by Qt's own JPEG plugin.
    void preparedFileSize_data()
    {
        QTest::addColumn<QSize>("picture");
        QTest::addColumn<int>("mode");
        QTest::addColumn<QSize>("expected");
        QTest::newRow("4000x3000 Aijaa") << QSize(4000, 3000) << 3 << QSize(1024, 768);
        QTest::newRow("1000x3000 Aijaa") << QSize(1000, 3000) << 3 << QSize(500, 1500);
        QTest::newRow("700x500 kept") << QSize(700, 500) << 0 << QSize(700, 500);
        QTest::newRow("1200x900 Imgur large") << QSize(1200, 900) << 2 << QSize(600, 450);
        QTest::newRow("10x10 smallest") << QSize(10, 10) << 8 << QSize(10, 10);
    }
    void preparedFileSize()
    {
        QFETCH(QSize, picture);
        QFETCH(int, mode);
        QFETCH(QSize, expected);
        Settings s;
        s.tekstilogo = QStringLiteral("Myyjä Oy");
        const PicturePrep::Options o = PicturePrep::optionsFor(mode, s, folder());
        QVERIFY(o.logo);
        const PicturePrep::Result r = PicturePrep::pienennakuva2(jpegFile(QStringLiteral("p.jpg"), picture), o);
        QCOMPARE(r.status, PicturePrep::Status::Ok);
        QVERIFY(QRegularExpression(QStringLiteral("^Vss\\d{1,10}\\.jpg$")).match(QFileInfo(r.path).fileName()).hasMatch());
        QCOMPARE(QFileInfo(r.path).absolutePath(), QFileInfo(m_dir.path()).absoluteFilePath());
        QCOMPARE(Fixtures::independentJpegSize(r.path), expected);
        QCOMPARE(r.size, expected);
    }

    void refusedAndMissing_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("status");
        QTest::newRow("9x400") << "n.jpg" << Fixtures::encoded(Fixtures::halves(9, 400), "jpg") << int(PicturePrep::Status::WrongType);
        QTest::newRow("truncated") << "t.jpg" << Fixtures::encoded(Fixtures::halves(400, 300), "jpg").left(900) << int(PicturePrep::Status::WrongType);
        QTest::newRow("psp") << "k.psp" << QByteArray("Paint Shop Pro Image File\n\x1a", 27) << int(PicturePrep::Status::WrongType);
        QTest::newRow("missing") << "" << QByteArray() << int(PicturePrep::Status::Missing);
    }
    void refusedAndMissing()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        QFETCH(int, status);
        const QString path = m_dir.filePath(name.isEmpty() ? QStringLiteral("gone.jpg") : name);
        if (!name.isEmpty())
            Fixtures::write(path, bytes);
        Settings settings;
        const int before = QDir(m_dir.path()).entryList({QStringLiteral("Vss*")}).size();
        const PicturePrep::Result r = PicturePrep::pienennakuva2(path, PicturePrep::optionsFor(0, settings, folder()));
        QCOMPARE(int(r.status), status);
        QVERIFY(r.path.isEmpty());
        QCOMPARE(QDir(m_dir.path()).entryList({QStringLiteral("Vss*")}).size(), before);
        QCOMPARE(PicturePrep::message(r.status).isEmpty(), status == int(PicturePrep::Status::Missing));
    }

    void boxFilterAverages()
    {
        QImage img(3, 1, QImage::Format_RGB888);
        img.setPixel(0, 0, qRgb(0, 0, 0));
        img.setPixel(1, 0, qRgb(90, 90, 90));
        img.setPixel(2, 0, qRgb(180, 180, 180));
        QVERIFY(BoxFilter::muuta_kuvan_kokoa(2, 1, img));
        QCOMPARE(img.size(), QSize(2, 1));
        QCOMPARE(qRed(img.pixel(0, 0)), 30);    // (0 + 90 / 2) / 1.5
        QCOMPARE(qRed(img.pixel(1, 0)), 150);   // (90 / 2 + 180) / 1.5

        QImage block(4, 4, QImage::Format_RGB888);
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 4; ++x)
                block.setPixel(x, y, qRgb(x * 40, y * 40, 200));
        QVERIFY(BoxFilter::muuta_kuvan_kokoa(2, 2, block));
        QCOMPARE(block.pixel(1, 0), qRgb(100, 20, 200));
    }

    void boxFilterKeepsFlatColourExact()
    {
        QImage img = filled(1001, 777, qRgb(123, 45, 67));
        QVERIFY(BoxFilter::muuta_kuvan_kokoa(333, 250, img));
        QCOMPARE(largestChange(img, filled(333, 250, qRgb(123, 45, 67))), 0);
    }

    void boxFilterNeverEnlarges()
    {
        QImage img = filled(20, 20, qRgb(1, 2, 3));
        QVERIFY(!BoxFilter::muuta_kuvan_kokoa(40, 10, img));
        QCOMPARE(img.size(), QSize(20, 20));
    }

    void alphaForPercent_data()
    {
        QTest::addColumn<int>("percent");
        QTest::addColumn<int>("alpha");
        QTest::newRow("0") << 0 << 0;
        QTest::newRow("10") << 10 << 26;
        QTest::newRow("30") << 30 << 76;
        QTest::newRow("50") << 50 << 128;
        QTest::newRow("70 (178.5 to even)") << 70 << 178;
        QTest::newRow("100") << 100 << 255;
    }
    void alphaForPercent()
    {
        QFETCH(int, percent);
        QFETCH(int, alpha);
        QCOMPARE(AlphaBlend::alphaForPercent(percent), alpha);
    }

    void alphaBlendFormula()
    {
        const std::array<int, 511> t = AlphaBlend::table(128);
        QCOMPARE(t[0], -128);            // floor(128 * -255 / 256) = floor(-127.5)
        QCOMPARE(t[255], 0);
        QCOMPARE(t[510], 127);

        QImage picture(2, 1, QImage::Format_RGB888);
        picture.setPixel(0, 0, qRgb(200, 100, 0));
        picture.setPixel(1, 0, qRgb(7, 8, 9));
        QImage overlay(2, 2, QImage::Format_RGB888);
        overlay.fill(qRgb(10, 10, 10));                  // bottom row: the key colour
        overlay.setPixel(0, 0, qRgb(0, 0, 255));
        QVERIFY(AlphaBlend::alpha_blend(picture, overlay, 0, 0, 128));
        QCOMPARE(picture.pixel(0, 0), qRgb(100, 50, 127));   // O + floor(128 (P - O) / 256)
        QCOMPARE(picture.pixel(1, 0), qRgb(7, 8, 9));        // key colour: unchanged
    }

    void alphaBlendClipsAndChecksDepth()
    {
        QImage picture = filled(4, 4, qRgb(50, 50, 50));
        QImage overlay = filled(3, 3, qRgb(0, 0, 0));
        overlay.setPixel(0, 2, qRgb(9, 9, 9));
        QVERIFY(AlphaBlend::alpha_blend(picture, overlay, 3, 3, 0));
        QCOMPARE(picture.pixel(3, 3), qRgb(0, 0, 0));
        QCOMPARE(picture.pixel(2, 2), qRgb(50, 50, 50));
        QVERIFY(AlphaBlend::alpha_blend(picture, overlay, 4, -10, 0));   // wholly outside

        QImage deep(4, 4, QImage::Format_RGB32);
        QString error;
        QVERIFY(!AlphaBlend::alpha_blend(deep, overlay, 0, 0, 0, &error));
        QCOMPARE(error, QStringLiteral("Bitmaps must be 24 bit"));
    }

    void logoFontIsArialAt96Dpi()
    {
        const QFont f = LogoStamp::logoFont(8);
        QCOMPARE(f.pixelSize(), 11);             // 8 pt at 96 dpi = 10.67 px
        QCOMPARE(LogoStamp::logoFont(40).pixelSize(), 53);
        QCOMPARE(QFontInfo(f).family(), QStringLiteral("Liberation Sans"));
    }

    void katsoNormalisesFontSize_data()
    {
        QTest::addColumn<QString>("entered");
        QTest::addColumn<int>("points");
        QTest::addColumn<QString>("stored");
        QTest::newRow("3 drawn at 8") << "3" << 8 << "3";
        QTest::newRow("300 drawn at 254") << "300" << 254 << "300";
        QTest::newRow("40") << "40" << 40 << "40";
        QTest::newRow("not a number") << "iso" << 30 << "30";
    }
    void katsoNormalisesFontSize()
    {
        QFETCH(QString, entered);
        QFETCH(int, points);
        QFETCH(QString, stored);
        Settings s;
        s.fonttilogo = entered;
        QCOMPARE(LogoStamp::katso(s), points);
        QCOMPARE(s.fonttilogo, stored);
    }

    void tinyFontSizeDrawsAsEightPoints()
    {
        Settings s;
        s.tekstilogo = QStringLiteral("Logo");
        s.fonttilogo = QStringLiteral("3");
        const auto stamp = LogoStamp::fromSettings(s);
        QVERIFY(stamp);
        QCOMPARE(stamp->textSize(), LogoStamp::make(QStringLiteral("Logo"), 8, Qt::black, "50", 1)->textSize());
    }

    void positions_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QPoint>("at");
        QTest::newRow("0 top left") << 0 << QPoint(0, 0);
        QTest::newRow("1 bottom left") << 1 << QPoint(0, 80);
        QTest::newRow("2 top right") << 2 << QPoint(150, 0);
        QTest::newRow("3 bottom right") << 3 << QPoint(150, 80);
        QTest::newRow("4 centre") << 4 << QPoint(100 - 25, 50 - 10);
    }
    void positions()
    {
        QFETCH(int, index);
        QFETCH(QPoint, at);
        QCOMPARE(LogoStamp::position(index, QSize(200, 100), QSize(50, 20)), at);
        QCOMPARE(LogoStamp::position(4, QSize(201, 101), QSize(51, 21)), QPoint(75, 40));  // truncating division
    }

    // Transparency "0" is the opaque path: glyphs in the logo colour exactly.
    void opaqueLogo()
    {
        const auto stamp = LogoStamp::make(QStringLiteral("HHHH"), 40, QColor(200, 0, 0), "0", 0);
        QVERIFY(stamp && stamp->opaque());
        QImage picture = filled(300, 200, qRgb(255, 255, 255));
        stamp->blend(picture);
        QVERIFY(hasPixel(picture, qRgb(200, 0, 0), QRect(QPoint(0, 0), stamp->textSize())));
        QCOMPARE(picture.pixel(299, 199), qRgb(255, 255, 255));
    }

    // Transparency 100 is alpha 255: every component moves by at most 1.
    void fullyTransparentLogo()
    {
        const auto stamp = LogoStamp::make(QStringLiteral("HHHH"), 40, QColor(0, 0, 0), "100", 3);
        QVERIFY(stamp && !stamp->opaque());
        QCOMPARE(stamp->alpha(), 255);
        QImage picture = Fixtures::halves(300, 200);
        const QImage before = picture;
        stamp->blend(picture);
        QVERIFY(largestChange(picture, before) <= 1);
        QVERIFY(largestChange(picture, before) == 1);
    }

    void halfTransparentLogoShows()
    {
        const auto stamp = LogoStamp::make(QStringLiteral("HHHH"), 40, QColor(0, 0, 0), "50", 3);
        QImage picture = filled(300, 200, qRgb(200, 200, 200));
        stamp->blend(picture);
        QVERIFY(hasPixel(picture, qRgb(100, 100, 100), QRect(QPoint(300 - stamp->textSize().width(), 0), QSize(stamp->textSize().width(), 200))));
    }

    // A text wider than the picture in the centre starts at x = 0 and is cut
    // at the right edge.
    void centreLogoClipped()
    {
        const auto stamp = LogoStamp::make(QStringLiteral("MMMMMMMMMMMMMMMMMMMM"), 40, QColor(0, 0, 0), "0", 4);
        QVERIFY(stamp->textSize().width() > 120);
        QImage picture = filled(120, 120, qRgb(255, 255, 255));
        stamp->blend(picture);
        const int top = 60 - stamp->textSize().height() / 2;
        QVERIFY(hasPixel(picture, qRgb(0, 0, 0), QRect(0, top, 6, stamp->textSize().height())));
        QVERIFY(hasPixel(picture, qRgb(0, 0, 0), QRect(114, top, 6, stamp->textSize().height())));
        QCOMPARE(picture.pixel(60, 0), qRgb(255, 255, 255));
    }

    // Pure white text would equal its own key colour and vanish.
    void whiteLogoStillDrawn()
    {
        QVERIFY(LogoStamp::keyColour(Qt::white) != QColor(Qt::white));
        QCOMPARE(LogoStamp::keyColour(QColor(250, 0, 100)), QColor(255, 10, 110));
        const auto stamp = LogoStamp::make(QStringLiteral("HHHH"), 40, Qt::white, "50", 0);
        QImage picture = filled(300, 200, qRgb(0, 0, 0));
        stamp->blend(picture);
        QVERIFY(hasPixel(picture, qRgb(127, 127, 127), QRect(QPoint(0, 0), stamp->textSize())));   // 255 + floor(128 * -255 / 256)
    }

    void noLogoWhenOffOrEmpty()
    {
        Settings s;
        QVERIFY(!LogoStamp::fromSettings(s));      // empty text
        s.tekstilogo = QStringLiteral("x");
        s.lisaalogo = false;
        QVERIFY(!LogoStamp::fromSettings(s));
    }

    void temporaryNamesAreNew()
    {
        QSet<QString> names;
        for (int i = 0; i < 200; ++i) {
            const QString name = TempName::rndfilename(folder() + QStringLiteral("Vss"), QStringLiteral(".jpg"));
            QVERIFY(QFileInfo::exists(name));
            names.insert(name);
        }
        QCOMPARE(names.size(), 200);
        QVERIFY(TempName::rndfilename(m_dir.filePath(QStringLiteral("no/such/dir/Vss")), QStringLiteral(".jpg")).isEmpty());
    }

    void batchKeepsOrder()
    {
        QStringList files;
        for (int i = 0; i < 6; ++i)
            files << jpegFile(QStringLiteral("b%1.jpg").arg(i), QSize(300 + 100 * i, 200));
        files.insert(3, m_dir.filePath(QStringLiteral("gone.jpg")));
        Settings s;
        PictureBatch batch(3);
        batch.start(files, PicturePrep::optionsFor(0, s, folder()));
        QTRY_VERIFY_WITH_TIMEOUT(batch.isDone(), 20000);
        const QVector<PicturePrep::Result> results = batch.results();
        QCOMPARE(results.size(), 7);
        QCOMPARE(results[3].status, PicturePrep::Status::Missing);
        for (int i : {0, 1, 2, 4, 5, 6}) {
            QCOMPARE(results[i].status, PicturePrep::Status::Ok);
            const int width = 300 + 100 * (i > 3 ? i - 1 : i);
            QCOMPARE(Fixtures::independentJpegSize(results[i].path), ShrinkRule::targetSize(QSize(width, 200), QSize(800, 600)));
        }
    }
};

QTEST_MAIN(TestPicturePrep)
#include "tst_pictureprep.moc"
