#include "imaging/exiforientation.h"
#include "imaging/jpegcodec.h"
#include "imaging/picturefile.h"
#include "picturefixtures.h"

#include "cputime.h"
#include <QTemporaryDir>
#include <QtTest>

class TestPictureFile : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

    QString file(const QString &name, const QByteArray &bytes)
    {
        const QString path = m_dir.filePath(name);
        Fixtures::write(path, bytes);
        return path;
    }

private slots:
    void formatsDecodeUpright_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes");
        const QImage img = Fixtures::halves(64, 48);
        QTest::newRow("jpg") << "a.jpg" << Fixtures::encoded(img, "jpg");
        QTest::newRow("JPEG upper case") << "a.JPEG" << Fixtures::encoded(img, "jpg");
        QTest::newRow("png") << "a.png" << Fixtures::encoded(img, "png");
        QTest::newRow("gif") << "a.gif" << Fixtures::gifHalves(64, 48);
        QTest::newRow("bmp") << "a.bmp" << Fixtures::encoded(img, "bmp");
        QTest::newRow("tif") << "a.tif" << Fixtures::encoded(img, "tiff");
        QTest::newRow("tiff") << "a.tiff" << Fixtures::encoded(img, "tiff");
        QTest::newRow("webp") << "a.webp" << Fixtures::encoded(img, "webp", 100);
        QTest::newRow("unknown extension, ppm content") << "a.kuva" << Fixtures::encoded(img, "ppm");
        QTest::newRow("unknown extension, jpeg content") << "a.dat" << Fixtures::encoded(img, "jpg");
    }
    void formatsDecodeUpright()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        QVERIFY2(!bytes.isEmpty(), "the fixture writer lacks this format");
        const PictureFile::Opened o = PictureFile::openpicture(file(name, bytes));
        QVERIFY(o.ok());
        QCOMPARE(o.image.format(), QImage::Format_RGB888);
        QCOMPARE(o.image.size(), QSize(64, 48));
        QCOMPARE(o.original, QSize(64, 48));
        QVERIFY(qRed(o.image.pixel(4, 24)) > 150 && qBlue(o.image.pixel(4, 24)) < 100);
        QVERIFY(qBlue(o.image.pixel(60, 24)) > 150 && qRed(o.image.pixel(60, 24)) < 100);
    }

    void transparentPartsOnWhite()
    {
        QImage img(20, 20, QImage::Format_ARGB32);
        img.fill(Qt::transparent);
        const PictureFile::Opened o = PictureFile::openpicture(file("t.png", Fixtures::encoded(img, "png")));
        QVERIFY(o.ok());
        QCOMPARE(o.image.pixel(10, 10), qRgb(255, 255, 255));
    }

    // Phone pictures carry their turn in EXIF; the red left half of the
    // stored picture must end up where the orientation says.
    void exifOrientationHonoured_data()
    {
        QTest::addColumn<int>("orientation");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QPoint>("redAt");
        QTest::newRow("1 upright") << 1 << QSize(40, 20) << QPoint(2, 10);
        QTest::newRow("3 half turn") << 3 << QSize(40, 20) << QPoint(37, 10);
        QTest::newRow("6 quarter clockwise") << 6 << QSize(20, 40) << QPoint(10, 2);
        QTest::newRow("8 quarter counter-clockwise") << 8 << QSize(20, 40) << QPoint(10, 37);
        QTest::newRow("2 mirrored") << 2 << QSize(40, 20) << QPoint(37, 10);
    }
    void exifOrientationHonoured()
    {
        QFETCH(int, orientation);
        QFETCH(QSize, size);
        QFETCH(QPoint, redAt);
        const QByteArray bytes = Fixtures::jpegWithOrientation(Fixtures::halves(40, 20), orientation);
        QCOMPARE(ExifOrientation::fromApp1(bytes.mid(6, 32)), orientation);
        const PictureFile::Opened o = PictureFile::openpicture(file("o.jpg", bytes));
        QVERIFY(o.ok());
        QCOMPARE(o.image.size(), size);
        QCOMPARE(o.original, size);
        QVERIFY2(qRed(o.image.pixel(redAt)) > 150, "the picture is turned the wrong way");
    }

    void malformedExifIgnored_data()
    {
        QTest::addColumn<QByteArray>("payload");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("header only") << QByteArray("Exif\0\0", 6);
        QTest::newRow("ifd offset past end") << QByteArray("Exif\0\0II*\0\xFF\xFF\0\0", 14);
        QTest::newRow("entry count past end") << QByteArray("Exif\0\0II*\0\x08\0\0\0\xFF\xFF", 16);
    }
    void malformedExifIgnored()
    {
        QFETCH(QByteArray, payload);
        QCOMPARE(ExifOrientation::fromApp1(payload), 1);
    }

    // DCT scaling: the smallest of 1/8, 1/4, 1/2 that still covers the target.
    void jpegDecodesAtReducedScale_data()
    {
        QTest::addColumn<QSize>("picture");
        QTest::addColumn<QSize>("limit");
        QTest::addColumn<QSize>("decoded");
        QTest::newRow("4000x3000 into 1024x1500: half") << QSize(4000, 3000) << QSize(1024, 1500) << QSize(2000, 1500);
        QTest::newRow("4000x3000 into 600x600: quarter") << QSize(4000, 3000) << QSize(600, 600) << QSize(1000, 750);
        QTest::newRow("4000x3000 into 300x300: eighth") << QSize(4000, 3000) << QSize(300, 300) << QSize(500, 375);
        QTest::newRow("1100x800 into 1024x768: full") << QSize(1100, 800) << QSize(1024, 768) << QSize(1100, 800);
        QTest::newRow("no limit: full") << QSize(800, 600) << QSize() << QSize(800, 600);
    }
    void jpegDecodesAtReducedScale()
    {
        QFETCH(QSize, picture);
        QFETCH(QSize, limit);
        QFETCH(QSize, decoded);
        const QByteArray bytes = Fixtures::encoded(Fixtures::halves(picture.width(), picture.height()), "jpg");
        const JpegCodec::Decoded d = JpegCodec::decode(bytes, limit, PictureFile::kMaxPixels);
        QCOMPARE(d.image.size(), decoded);
        QCOMPARE(d.original, picture);
    }

    void badFilesRefused_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes");
        const QByteArray jpg = Fixtures::encoded(Fixtures::halves(200, 150), "jpg");
        const QByteArray png = Fixtures::encoded(Fixtures::halves(200, 150), "png");
        QTest::newRow("zero-byte jpg") << "z.jpg" << QByteArray();
        QTest::newRow("zero-byte png") << "z.png" << QByteArray();
        QTest::newRow("truncated jpg") << "t.jpg" << jpg.left(jpg.size() / 2);
        QTest::newRow("truncated png") << "t.png" << png.left(png.size() / 2);
        const QByteArray gif = Fixtures::gifHalves(200, 150);
        QTest::newRow("truncated gif") << "t.gif" << gif.left(gif.size() / 2);
        const QByteArray bmp = Fixtures::encoded(Fixtures::halves(200, 150), "bmp");
        QTest::newRow("truncated bmp") << "t.bmp" << bmp.left(bmp.size() / 2);
        const QByteArray tif = Fixtures::encoded(Fixtures::halves(200, 150), "tiff");
        QTest::newRow("truncated tiff") << "t.tif" << tif.left(tif.size() / 2);
        QTest::newRow("jpeg header only") << "h.jpg" << jpg.left(200);
        QTest::newRow("60000x60000 jpg") << "big.jpg" << Fixtures::jpegClaiming(60000, 60000);
        QTest::newRow("60000x60000 png") << "big.png" << Fixtures::pngClaiming(60000, 60000);
        QTest::newRow("60000x60000 gif") << "big.gif" << Fixtures::gifClaiming(60000, 60000);
        QTest::newRow("60000x60000 bmp") << "big.bmp" << Fixtures::bmpClaiming(60000, 60000);
        QTest::newRow("png named jpg") << "p.jpg" << png;
        QTest::newRow("jpeg named png") << "j.png" << jpg;
        QTest::newRow("text named gif") << "x.gif" << QByteArray("GIF? no, a shopping list\n");
        QTest::newRow("text, unknown extension") << "x.txt" << QByteArray("maito\nleipä\n");
        QTest::newRow("paint shop pro") << "k.psp" << QByteArray("Paint Shop Pro Image File\n\x1a\0\0\0\0\0", 32);
        QTest::newRow("9 x 400") << "n.png" << Fixtures::encoded(Fixtures::halves(9, 400), "png");
        QTest::newRow("400 x 9 jpg") << "n.jpg" << Fixtures::encoded(Fixtures::halves(400, 9), "jpg");
    }
    void badFilesRefused()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        const qint64 started = threadCpuMs();
        const PictureFile::Opened o = PictureFile::openpicture(file(name, bytes), QSize(1024, 1500));
        QVERIFY(!o.ok());
        QVERIFY2(threadCpuMs() - started < 2000, "a bad file must be refused from its header");
    }

    void tenByTenAccepted()
    {
        const PictureFile::Opened o = PictureFile::openpicture(
            file("ten.jpg", Fixtures::encoded(Fixtures::halves(10, 10), "jpg")));
        QVERIFY(o.ok());
        QCOMPARE(o.image.size(), QSize(10, 10));
    }

    void missingFileRefused()
    {
        QVERIFY(!PictureFile::openpicture(m_dir.filePath("none.jpg")).ok());
    }
};

QTEST_MAIN(TestPictureFile)
#include "tst_picturefile.moc"
