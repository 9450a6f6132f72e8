// Qt's own dialogs in Finnish: button texts from Qt's translation and the
// file dialog's type column ("Folder").
#include "app/qtfinnish.h"
#include <QAbstractFileIconProvider>
#include <QApplication>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

class TstQtFinnish : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void buttons_data();
    void buttons();
    void fileTypes();

private:
    std::unique_ptr<QtFinnish> m_finnish;
};

void TstQtFinnish::initTestCase()
{
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

QTEST_MAIN(TstQtFinnish)

#include "tst_qtfinnish.moc"
