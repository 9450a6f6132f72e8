// Qt's own dialogs in Finnish: button texts from Qt's translation and the
// file dialog's columns (type "Folder", dates with English month names and
// sizes in "bytes" from the system locale).
#include "app/qtfinnish.h"
#include <QAbstractFileIconProvider>
#include <QApplication>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QPushButton>
#include <QTemporaryDir>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QtTest>

class TstQtFinnish : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void buttons_data();
    void buttons();
    void fileTypes();
    void fileDialogColumns();

private:
    std::unique_ptr<QtFinnish> m_finnish;
};

void TstQtFinnish::initTestCase()
{
    QLocale::setDefault(QLocale(QLocale::Finnish, QLocale::Finland));
    m_finnish = std::make_unique<QtFinnish>(QCoreApplication::instance());
}

void TstQtFinnish::buttons_data()
{
    QTest::addColumn<int>("button");
    QTest::addColumn<QString>("text");
    QTest::newRow("cancel") << int(QDialogButtonBox::Cancel) << "Peru";
    QTest::newRow("save") << int(QDialogButtonBox::Save) << "Tallenna";
}

void TstQtFinnish::buttons()
{
    QFETCH(int, button);
    QFETCH(QString, text);
    QDialogButtonBox box{QDialogButtonBox::StandardButtons(button)};
    // Mnemonic marks depend on the platform theme.
    QCOMPARE(box.button(QDialogButtonBox::StandardButton(button))->text().remove(u'&'), text);
}

void TstQtFinnish::fileTypes()
{
    QTemporaryDir dir;
    QCOMPARE(QAbstractFileIconProvider().type(QFileInfo(dir.path())), QStringLiteral("Kansio"));
}

void TstQtFinnish::fileDialogColumns()
{
    QTemporaryDir dir;
    QFile file(dir.filePath("hinnasto.csv"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(36, 'x'));
    file.close();
    const QDateTime stamp(QDate(2026, 12, 10), QTime(14, 28));
    QVERIFY(file.open(QIODevice::ReadWrite));
    QVERIFY(file.setFileTime(stamp, QFileDevice::FileModificationTime));
    file.close();
    QFileDialog dialog(nullptr, QStringLiteral("Tallenna nimellä"), dir.path());
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.show();
    QAbstractItemModel *shown = dialog.proxyModel();
    QVERIFY(shown);
    auto *files = qobject_cast<QFileSystemModel *>(dialog.findChild<QFileSystemModel *>());
    QVERIFY(files);
    QVERIFY(QTest::qWaitFor([&] { return files->rowCount(files->index(dir.path())) == 1; }, 5000));
    const QModelIndex row = dialog.proxyModel()->mapFromSource(files->index(dir.filePath("hinnasto.csv")));
    QCOMPARE(shown->index(row.row(), 3, row.parent()).data().toString(),
             QLocale().toString(stamp, QLocale::ShortFormat));
    QVERIFY(!shown->index(row.row(), 3, row.parent()).data().toString().contains(QStringLiteral("Dec")));
    QCOMPARE(shown->index(row.row(), 1, row.parent()).data().toString(), QLocale().formattedDataSize(36));
    QVERIFY(!shown->index(row.row(), 1, row.parent()).data().toString().contains(QStringLiteral("bytes")));
}

QTEST_MAIN(TstQtFinnish)

#include "tst_qtfinnish.moc"
