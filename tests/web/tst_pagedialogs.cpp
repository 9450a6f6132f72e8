// Hostile pages against the program's dialogs, with the real Qt dialogs: a
// page's alert, confirm and prompt show its text as plain text (never its
// markup or a live link) and name the page's host; a page looping alerts is
// stopped with the dialog's check box (or Ctrl+Q); the main window closes
// while a page's dialog is up.
#include "app/tform1.h"
#include "browser/engine/browserprofile.h"
#include "browser/engine/tvasaroselain.h"
#include "browser/engine/vasaropage.h"
#include "browser/tabs/tabmanager.h"
#include "core/waitfor.h"
#include "fakemarketplace.h"
#include "stillafter.h"
#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QWebEngineScript>
#include <QTimer>
#include <QtTest>
#include <functional>
#include <memory>

namespace {
const bool kSchemes = (BrowserProfile::registerSchemes(), true);

const QString kRich = QStringLiteral("<h1>VSselain</h1><b>Istunto vanhentui</b><br>"
                                     "<a href='file:///etc/passwd'>Kirjaudu uudelleen</a>");

// The page dialog shown now, if any.
QDialog *pageDialog()
{
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (w->objectName() == QLatin1String("PageDialog") && w->isVisible())
            return qobject_cast<QDialog *>(w);
    }
    return nullptr;
}

QAbstractButton *button(QWidget *dialog, const QString &text)
{
    for (QAbstractButton *b : dialog->findChildren<QAbstractButton *>())
        if (b->text() == text && b->isVisible())
            return b;
    return nullptr;
}

void click(QWidget *w)
{
    QTest::mouseClick(w, Qt::LeftButton, {}, w->rect().center());
}

// Answers the page's dialogs one after another, each with its own step.
// A page's dialog runs its own wait inside the engine's call, so it is
// handled from a timer, while it is open.
class DialogScript {
public:
    using Step = std::function<void(QDialog *)>;
    explicit DialogScript(QList<Step> steps) : m_steps(std::move(steps))
    {
        m_poll.setInterval(20);
        QObject::connect(&m_poll, &QTimer::timeout, [this] {
            QDialog *dialog = pageDialog();
            if (!dialog || m_steps.isEmpty() || m_busy)
                return;
            m_busy = true;
            const Step step = m_steps.takeFirst();
            step(dialog);
            ++handled;
            m_busy = false;
        });
        m_poll.start();
    }
    int handled = 0;

private:
    QList<Step> m_steps;
    QTimer m_poll;
    bool m_busy = false;
};
} // namespace

class TestPageDialogs : public QObject {
    Q_OBJECT
private:
    FakeMarketplace m_market;
    std::unique_ptr<TForm1> m_w;

    TVasaroselain *active() { return m_w->tabs().activeBrowser(); }
    bool showsTitle(const QString &title, int limitMs = 15000)
    {
        return waitFor([&] { return active() && active()->title() == title; }, limitMs);
    }
    bool openPage(const QString &path, const QString &title)
    {
        m_w->aktiivisivu_navigate(QStringLiteral("http://hyokkaaja.test/dialogit/") + path);
        return showsTitle(title);
    }
    // The page's button is clicked from a timer of the page, so that the
    // script call returns before the page's first dialog opens.
    void pressPageButton()
    {
        active()->page()->runJavaScript(
            QStringLiteral("setTimeout(function () { document.getElementById('nappi').click(); }, 50)"),
            QWebEngineScript::MainWorld);
    }

private slots:
    void initTestCase()
    {
        Q_UNUSED(kSchemes);
        QVERIFY(m_market.start());
    }

    void init()
    {
        m_w = std::make_unique<TForm1>(Endpoints::fromEnvironment());   // the real Qt dialogs
        m_w->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_w.get()));
        QVERIFY(showsTitle(QStringLiteral("Vasaro - etusivu")));
    }

    void cleanup()
    {
        if (QDialog *d = pageDialog())
            d->reject();
        m_w->close();
        m_w.reset();
    }

    void alertIsPlainTextNamingTheHost()
    {
        QVERIFY(openPage(QStringLiteral("rikas"), QStringLiteral("Rikas")));
        QString title;
        QStringList texts;
        QList<Qt::TextFormat> formats;
        bool links = false;
        int checkBoxes = -1;
        DialogScript script({[&](QDialog *dialog) {
            title = dialog->windowTitle();
            for (QLabel *label : dialog->findChildren<QLabel *>()) {
                texts << label->text();
                formats << label->textFormat();
                links = links || label->openExternalLinks()
                        || (label->textInteractionFlags() & Qt::LinksAccessibleByMouse);
            }
            checkBoxes = int(dialog->findChildren<QCheckBox *>().size());
            click(button(dialog, QStringLiteral("OK")));
        }});
        pressPageButton();
        QVERIFY(showsTitle(QStringLiteral("hyvaksytty")));
        QCOMPARE(script.handled, 1);
        QVERIFY2(title.contains(QLatin1String("hyokkaaja.test")), qPrintable(title));
        QVERIFY(!title.contains(QLatin1String("VSselain")));
        // Every text of the dialog is plain: the page's markup shows as typed.
        QVERIFY(texts.contains(kRich));
        QVERIFY(!formats.isEmpty());
        for (Qt::TextFormat f : std::as_const(formats))
            QCOMPARE(f, Qt::PlainText);
        QVERIFY(!links);
        // The first dialog of a page offers no blocking.
        QCOMPARE(checkBoxes, 0);
    }

    void confirmAndPromptArePlainText()
    {
        QVERIFY(openPage(QStringLiteral("kysy"), QStringLiteral("Kysy")));
        QList<Qt::TextFormat> formats;
        QString confirmTitle;
        bool confirmCancels = false;
        QString offered;
        QString blockText;
        DialogScript script({
            [&](QDialog *confirm) {
                confirmTitle = confirm->windowTitle();
                for (QLabel *label : confirm->findChildren<QLabel *>())
                    formats << label->textFormat();
                confirmCancels = button(confirm, QStringLiteral("Peruuta"));
                click(button(confirm, QStringLiteral("OK")));
            },
            [&](QDialog *prompt) {
                for (QLabel *label : prompt->findChildren<QLabel *>())
                    formats << label->textFormat();
                auto *edit = prompt->findChild<QLineEdit *>();
                if (!edit)
                    return;
                offered = edit->text();
                // The page's second dialog offers to block the rest.
                if (auto *block = prompt->findChild<QCheckBox *>())
                    blockText = block->text();
                edit->setFocus();
                edit->selectAll();
                QTest::keyClicks(edit, QStringLiteral("vastaus"));
                click(button(prompt, QStringLiteral("OK")));
            },
        });
        pressPageButton();
        QVERIFY(showsTitle(QStringLiteral("vastaus:true|vastaus")));
        QVERIFY(confirmTitle.contains(QLatin1String("hyokkaaja.test")));
        QVERIFY(confirmCancels);
        for (Qt::TextFormat f : std::as_const(formats))
            QCOMPARE(f, Qt::PlainText);
        QCOMPARE(offered, QStringLiteral("<i>oletus</i>"));
        QCOMPARE(blockText, QStringLiteral("Estä tämän sivun lisäikkunat"));
    }

    // An endless alert loop: from its second dialog on the check box blocks
    // the page's dialogs (or Ctrl+Q closes the dialog and blocks them); then
    // no dialog comes back and the program closes as "Lopeta" does.
    void alertLoopIsStopped_data()
    {
        QTest::addColumn<bool>("ctrlQ");
        QTest::newRow("check box") << false;
        QTest::newRow("Ctrl+Q") << true;
    }
    void alertLoopIsStopped()
    {
        QFETCH(bool, ctrlQ);
        QVERIFY(openPage(QStringLiteral("silmukka"), QStringLiteral("Silmukka")));
        int firstCheckBoxes = -1;
        bool blocked = false;
        DialogScript script({
            [&](QDialog *first) {
                firstCheckBoxes = int(first->findChildren<QCheckBox *>().size());
                click(button(first, QStringLiteral("OK")));
            },
            [&](QDialog *second) {
                if (ctrlQ) {
                    QTest::keyClick(second->focusWidget() ? second->focusWidget() : second, Qt::Key_Q,
                                    Qt::ControlModifier);
                    blocked = !second->isVisible();
                    return;
                }
                auto *block = second->findChild<QCheckBox *>();
                if (!block)
                    return;
                click(block);
                blocked = block->isChecked();
                click(button(second, QStringLiteral("OK")));
            },
        });
        pressPageButton();
        QVERIFY(waitFor([&] { return script.handled == 2 && !pageDialog(); }, 15000));
        QCOMPARE(firstCheckBoxes, 0);
        QVERIFY(blocked);
        quietFor(kQuietPeriodMs);
        QVERIFY(!pageDialog());
        m_w->MenuItem5Click();   // "Lopeta"
        QVERIFY(waitFor([&] { return !m_w->isVisible(); }, 10000));
    }

    // The page's dialog holds no other window modally: the window system's
    // close button reaches the main window, which then closes the dialog
    // and itself.
    void mainWindowClosesUnderAPageDialog()
    {
        QVERIFY(openPage(QStringLiteral("silmukka"), QStringLiteral("Silmukka")));
        bool modal = true;
        DialogScript script({[&](QDialog *) {
            modal = QGuiApplication::modalWindow() || QApplication::activeModalWidget();
            m_w->close();
        }});
        pressPageButton();
        QVERIFY(waitFor([&] { return !m_w->isVisible(); }, 15000));
        QVERIFY(!modal);
        QVERIFY(!pageDialog());
        quietFor(kQuietPeriodMs);
        QVERIFY(!pageDialog());
    }
};

QTEST_MAIN(TestPageDialogs)
#include "tst_pagedialogs.moc"
