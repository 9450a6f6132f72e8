// The Qt dialogs of the prompts, shown in real windows: a prompt belongs to
// the window that asks (the settings dialog, the ledger window, a modal
// dialog), stays above it and gives it the focus back.
#include "app/tform3.h"
#include "core/endpoints.h"
#include "core/programclock.h"
#include "core/settings.h"
#include "core/settingsdefaults.h"
#include "ledger/tform8.h"
#include "widgets/qtprompts.h"
#include "seller/pictures/pictureupload.h"
#include <QFileInfo>
#include <QListView>
#include <QComboBox>
#include <QDialog>
#include <QFileDialog>
#include <QLineEdit>
#include <QMainWindow>
#include <QMessageBox>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>
#include <functional>
#include <memory>

namespace {
// What the prompt looked like when it was on the screen.
struct Seen {
    QPointer<QWidget> prompt;
    QWidget *parent = nullptr;
    QWindow *transientFor = nullptr;
    bool onTop = false;
    QString text;
};

// Looks at the next modal prompt once it is shown and closes it the way a
// user would: Escape for a file dialog, a click on the last button of a box.
void answerNextPrompt(Seen *seen)
{
    QTimer::singleShot(0, [seen] {
        QTRY_VERIFY(QApplication::activeModalWidget());
        QWidget *prompt = QApplication::activeModalWidget();
        QVERIFY(QTest::qWaitForWindowExposed(prompt));
        seen->prompt = prompt;
        seen->parent = prompt->parentWidget();
        seen->transientFor = prompt->windowHandle() ? prompt->windowHandle()->transientParent() : nullptr;
        seen->onTop = prompt->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
        if (auto *box = qobject_cast<QMessageBox *>(prompt)) {
            seen->text = box->text();
            QAbstractButton *last = box->buttons().constLast();
            QTest::mouseClick(last, Qt::LeftButton);
        } else {
            QTest::keyClick(prompt, Qt::Key_Escape);
        }
    });
}

// (QTest::qWaitForWindowActive counts a child window as active while its
// parent is, so it would not wait for the child's own activation.)
bool activate(QWidget *w)
{
    w->show();
    w->raise();
    w->activateWindow();
    return QTest::qWaitFor([w] { return QApplication::activeWindow() == w; });
}
}

class TestQtPrompts : public QObject {
    Q_OBJECT

    std::unique_ptr<QMainWindow> m_main;
    std::unique_ptr<QtPrompts> m_prompts;
    Settings m_settings;

private slots:
    void init()
    {
        m_settings = SettingsDefaults::builtIn(Endpoints(), QStringLiteral("/ohjelma/"));
        m_main = std::make_unique<QMainWindow>();
        m_main->setObjectName(QStringLiteral("TForm1"));
        m_main->resize(600, 400);
        m_prompts = std::make_unique<QtPrompts>(m_main.get());
        QVERIFY(activate(m_main.get()));
    }
    void cleanup()
    {
        m_prompts.reset();
        m_main.reset();
    }

    // "Oma kuvapalvelin" with a wrong address: the message opens above the
    // stay-on-top settings dialog, which has the focus back afterwards.
    void settingsDialogMessageIsAboveIt()
    {
        QTemporaryDir data;
        TForm3 dialog(m_settings, *m_prompts, data.path() + u'/', Endpoints(), m_main.get());
        m_main->setEnabled(false);   // as while the dialog is open
        dialog.setEnabled(true);
        dialog.openPage(2);
        QVERIFY(QTest::qWaitFor([&] { return QApplication::activeWindow() == &dialog; }));
        auto *own = dialog.findChild<QLineEdit *>(QStringLiteral("omapalvelin"));
        QTest::mouseClick(own, Qt::LeftButton);
        QCOMPARE(QApplication::focusWidget(), own);
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("ftp://oma.test/up"));
        Seen seen;
        answerNextPrompt(&seen);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QTRY_VERIFY(!seen.prompt);
        QCOMPARE(seen.text, QStringLiteral("Lue ohjeet miten käyttää omaa palvelinta!"));
        QCOMPARE(seen.parent, &dialog);
        QCOMPARE(seen.transientFor, dialog.windowHandle());
        QVERIFY(seen.onTop);
        QTRY_COMPARE(QApplication::activeWindow(), &dialog);
        QVERIFY(dialog.isAncestorOf(QApplication::focusWidget()));
    }

    // The ledger's messages, questions and file dialogs belong to the ledger
    // window: it stays in front of the main window and keeps the focus.
    void ledgerPromptsBelongToTheLedger_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("question (Delete)") << "confirm";
        QTest::newRow("message (first date change)") << "information";
        QTest::newRow("file dialog (Avaa lista)") << "open";
        QTest::newRow("save dialog (Tallenna lista)") << "save";
    }
    void ledgerPromptsBelongToTheLedger()
    {
        QFETCH(QString, kind);
        ProgramClock clock([] { return qint64(0); }, QDateTime(QDate(2026, 3, 15), QTime(12, 0)));
        TForm8 ledger(m_settings, *m_prompts, clock, Endpoints(), m_main.get());
        ledger.setWindowFlag(Qt::Window);
        QVERIFY(activate(&ledger));
        LedgerTable &sg = ledger.masterList();
        if (kind != QLatin1String("information")) {
            sg.setRow(1, {QString(), "11111111", "Kirja", "04.03.2021 12:34:56", "10.00", QString(),
                          QString(), QString(), QString(), "matti/12"});
            ledger.listLoaded();
        }
        auto *grid = ledger.findChild<QTableView *>(QStringLiteral("sg2"));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                          grid->visualRect(grid->model()->index(0, 2)).center());
        QWidget *before = QApplication::focusWidget();

        Seen seen;
        answerNextPrompt(&seen);
        if (kind == QLatin1String("confirm"))
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Delete);
        else if (kind == QLatin1String("information"))
            ledger.findChild<QComboBox *>(QStringLiteral("ComboBox2"))->setCurrentIndex(3);
        else
            ledger.findChild<QPushButton *>(kind == QLatin1String("open") ? QStringLiteral("XiButton2")
                                                                          : QStringLiteral("tallennalista"))
                ->click();
        QTRY_VERIFY(!seen.prompt);
        QCOMPARE(seen.parent, &ledger);
        QCOMPARE(seen.transientFor, ledger.windowHandle());
        QTRY_COMPARE(QApplication::activeWindow(), &ledger);
        QCOMPARE(QApplication::focusWidget(), before);
    }

    // Right after a prompt closes the window system may not have given the
    // asking window its activation back yet; a second prompt then (an error
    // after a file dialog) still belongs to that window, not the main one.
    void promptRightAfterAPromptStaysWithItsWindow()
    {
        QWidget ledger(m_main.get(), Qt::Window);
        ledger.resize(300, 200);
        QVERIFY(activate(&ledger));
        Seen first;
        answerNextPrompt(&first);
        m_prompts->information(QStringLiteral("Ensimmäinen"));
        QCOMPARE(first.parent, &ledger);
        QApplication::setActiveWindow(nullptr);   // activation not yet back
        Seen second;
        answerNextPrompt(&second);
        m_prompts->error(QStringLiteral("Tiedostoa ei voitu tallentaa."));
        QCOMPARE(second.parent, &ledger);
    }

    // A prompt asked while a modal dialog is up belongs to that dialog.
    void modalDialogOwnsItsPrompts()
    {
        QWidget other;   // an active top-level window that is not the modal one
        other.resize(200, 100);
        QDialog modal(m_main.get());
        modal.resize(300, 200);
        Seen seen;
        QTimer::singleShot(0, &modal, [&] {
            QVERIFY(QTest::qWaitForWindowActive(&modal));
            answerNextPrompt(&seen);
            m_prompts->error(QStringLiteral("Tiedostoa ei voitu tallentaa."));
            modal.accept();
        });
        modal.exec();
        QCOMPARE(seen.text, QStringLiteral("Tiedostoa ei voitu tallentaa."));
        QCOMPARE(seen.parent, &modal);
        QVERIFY(!seen.onTop);
    }

    // With no window of the program active the main window owns the prompt.
    void mainWindowIsTheFallback()
    {
        m_main->hide();
        QTRY_VERIFY(!QApplication::activeWindow());
        QtPrompts prompts(m_main.get());
        QCOMPARE(prompts.askingWindow(), m_main.get());
        QWidget top;
        top.resize(200, 100);
        QVERIFY(activate(&top));
        QCOMPARE(prompts.askingWindow(), &top);
    }

    // Several names typed into the picture dialog's file name field, quoted
    // as the dialog itself writes them, are all taken in the typed order,
    // also when the dialog's list has one file selected (only the first, or
    // the selected one, was taken before).
    void typedNamesAreAllTaken_data()
    {
        QTest::addColumn<QString>("selected");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("three names") << QString() << "\"a.jpg\" \"b.jpg\" \"c.jpg\""
                                     << QStringList{"a.jpg", "b.jpg", "c.jpg"};
        QTest::newRow("list selection on another file") << "b.jpg" << "\"c.jpg\" \"a.jpg\""
                                                        << QStringList{"c.jpg", "a.jpg"};
        QTest::newRow("one name") << QString() << "c.jpg" << QStringList{"c.jpg"};
    }
    void typedNamesAreAllTaken()
    {
        QFETCH(QString, selected);
        QFETCH(QString, typed);
        QFETCH(QStringList, expected);
        QTemporaryDir folder;
        for (const char *name : {"a.jpg", "b.jpg", "c.jpg"}) {
            QFile f(folder.filePath(QLatin1String(name)));
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("x");
        }
        QStringList filters;
        QTimer::singleShot(0, [&filters, selected, typed] {
            QTRY_VERIFY(qobject_cast<QFileDialog *>(QApplication::activeModalWidget()));
            auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
            QVERIFY(QTest::qWaitForWindowExposed(dialog));
            filters = dialog->nameFilters();
            if (!selected.isEmpty()) {
                auto *list = dialog->findChild<QListView *>(QStringLiteral("listView"));
                QVERIFY(list);
                QModelIndex item;
                QTRY_VERIFY((item = findRow(list, selected)).isValid());
                QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(item).center());
                QTRY_VERIFY(list->selectionModel()->isSelected(item));
            }
            auto *field = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
            QTest::mouseClick(field, Qt::LeftButton);
            QTRY_COMPARE(QApplication::focusWidget(), field);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
            QTest::keyClicks(QApplication::focusWidget(), typed);
            // A completion list opened by the typing has the keyboard, as
            // under a window system.
            if (QWidget *popup = QApplication::activePopupWidget())
                QTest::keyClick(popup, Qt::Key_Escape);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        });
        const QStringList files =
            m_prompts->openFileNames(QStringLiteral("Valitse kuvat"), folder.path(), PictureUpload::dialogFilter());
        QStringList names;
        for (const QString &f : files)
            names << QFileInfo(f).fileName();
        QCOMPARE(names, expected);
        QCOMPARE(filters.value(0).section(u'(', 0, 0), QStringLiteral("Kuvat "));
        QCOMPARE(filters.value(1), QStringLiteral("Kaikki tiedostot (*)"));
    }

private:
    static QModelIndex findRow(QListView *list, const QString &name)
    {
        const QModelIndex root = list->rootIndex();
        for (int r = 0; r < list->model()->rowCount(root); ++r) {
            const QModelIndex i = list->model()->index(r, 0, root);
            if (i.data().toString() == name)
                return i;
        }
        return {};
    }
};

QTEST_MAIN(TestQtPrompts)
#include "tst_qtprompts.moc"
