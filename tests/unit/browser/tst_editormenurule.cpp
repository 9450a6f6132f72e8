// The editor menu's rules: which element under a right click is the
// listing's text editor, and which PopupMenu1 items the listing forms show.
#include "browser/policy/contextmenupolicy.h"
#include <QtTest>

class TstEditorMenuRule final : public QObject {
    Q_OBJECT
private slots:
    void isListingEditor_data();
    void isListingEditor();
    void listingFormItems();
};

void TstEditorMenuRule::isListingEditor_data()
{
    QTest::addColumn<QString>("html");
    QTest::addColumn<bool>("editor");
    QTest::newRow("the editor's frame") << "<iframe class=\"cke_wysiwyg_frame\" title=\"Rikastekstieditori, "
                                           "description\"></iframe>" << true;
    QTest::newRow("upper case") << "<IFRAME TITLE=\"TEKSTIEDITORI\"></IFRAME>" << true;
    QTest::newRow("a table cell around it") << "<td><iframe title=\"tekstieditori\"></iframe></td>" << false;
    QTest::newRow("another frame") << "<iframe src=\"/mainos\"></iframe>" << false;
    QTest::newRow("the editor's wrapper, no frame") << "<div id=\"tekstieditori\"></div>" << false;
    QTest::newRow("nothing") << "" << false;
}

void TstEditorMenuRule::isListingEditor()
{
    QFETCH(QString, html);
    QTEST(ContextMenuPolicy::isListingEditor(html), "editor");
}

void TstEditorMenuRule::listingFormItems()
{
    const quint32 all = 0x1FFFF;
    // Items 1-3 and 5-16; never 0; 4 only with a saved description.
    QCOMPARE(ContextMenuPolicy::listingFormItems(false, all), 0x1FFEEu);
    QCOMPARE(ContextMenuPolicy::listingFormItems(true, all), 0x1FFFEu);
    // Items whose feature is not built stay hidden.
    QCOMPARE(ContextMenuPolicy::listingFormItems(true, 0x1C006u), 0x1C006u);
}

QTEST_MAIN(TstEditorMenuRule)
#include "tst_editormenurule.moc"
