// The keyboard and mouse rules of the command dispatch: which keys are the
// program's and which reach the focused widget unchanged.
#include "app/commanddispatch.h"
#include <QtTest>

using CommandDispatch::KeyContext;
using CommandDispatch::MouseAction;

Q_DECLARE_METATYPE(CommandDispatch::MouseAction)
Q_DECLARE_METATYPE(CommandDispatch::KeyContext)

namespace {
KeyContext titled(const QString &title)
{
    KeyContext context;
    context.windowTitle = title;
    return context;
}

KeyContext mainWindow()
{
    return titled(QStringLiteral("*** Vasaro selain 4.05 *** Tänään on : torstai 10.12. 5:40"));
}
}

class TestCommandDispatch : public QObject {
    Q_OBJECT
private slots:
    void keys_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        QTest::addColumn<KeyContext>("context");
        QTest::addColumn<QString>("word");   // empty = not handled

        const Qt::KeyboardModifiers none;
        const Qt::KeyboardModifiers ctrl(Qt::ControlModifier);
        const Qt::KeyboardModifiers ctrlShift(Qt::ControlModifier | Qt::ShiftModifier);
        const Qt::KeyboardModifiers ctrlKeypad(Qt::ControlModifier | Qt::KeypadModifier);
        const Qt::KeyboardModifiers alt(Qt::AltModifier);
        const KeyContext main = mainWindow();
        const auto row = [](const char *name, int key, Qt::KeyboardModifiers modifiers, const KeyContext &context,
                            const char *word) { QTest::newRow(name) << key << modifiers << context << QString(word); };

        const struct { const char *name; int key; const char *word; } table[] = {
            {"ctrl+left", Qt::Key_Left, "tabvasen"}, {"ctrl+right", Qt::Key_Right, "taboikea"},
            {"ctrl+f", Qt::Key_F, "etsikorosta"}, {"ctrl+h", Qt::Key_H, "kohdehaku"},
            {"ctrl+k", Qt::Key_K, "kayttajahaku"}, {"ctrl+q", Qt::Key_Q, "suljelehti"},
            {"ctrl+s", Qt::Key_S, "tallennasivu"}, {"ctrl+t", Qt::Key_T, "uusilehti"},
            {"ctrl+u", Qt::Key_U, "lahdekoodi"},
        };
        for (const auto &c : table)
            row(c.name, c.key, ctrl, main, c.word);

        row("ctrl+plus", Qt::Key_Plus, ctrl, main, "zoom+");
        row("ctrl+shift+plus", Qt::Key_Plus, ctrlShift, main, "zoom+");
        row("ctrl+= (plus unshifted)", Qt::Key_Equal, ctrl, main, "zoom+");
        row("ctrl+keypad plus", Qt::Key_Plus, ctrlKeypad, main, "zoom+");
        row("ctrl+minus", Qt::Key_Minus, ctrl, main, "zoom-");
        row("ctrl+keypad minus", Qt::Key_Minus, ctrlKeypad, main, "zoom-");
        row("ctrl+shift+minus", Qt::Key_Underscore, ctrlShift, main, "zoom-");
        // Ctrl+Shift+T reopens the closed tab and Ctrl+Shift+H opens the
        // history list: the browser's keys, not the commands of T and H.
        row("ctrl+shift+t reopens", Qt::Key_T, ctrlShift, main, "");
        row("ctrl+shift+h history", Qt::Key_H, ctrlShift, main, "");
        row("ctrl+alt+t", Qt::Key_T, ctrl | alt, main, "uusilehti");

        // Keys the page keeps.
        row("ctrl+c copies", Qt::Key_C, ctrl, main, "");
        row("ctrl+v pastes", Qt::Key_V, ctrl, main, "");
        row("t without ctrl", Qt::Key_T, none, main, "");
        row("plus without ctrl", Qt::Key_Plus, none, main, "");
        row("left without ctrl", Qt::Key_Left, none, main, "");
        row("alt+left", Qt::Key_Left, alt, main, "");
        row("alt+f3", Qt::Key_F3, alt, main, "");

        // F3 and F11 need no Ctrl.
        row("f3", Qt::Key_F3, none, main, "etsitekstia");
        row("f11", Qt::Key_F11, none, main, "kokoruututila");
        row("ctrl+f3", Qt::Key_F3, ctrl, main, "etsitekstia");
        row("shift+f11", Qt::Key_F11, Qt::ShiftModifier, main, "kokoruututila");

        // The program's own input dialogs get their keys unchanged.
        row("dialog VSselain", Qt::Key_T, ctrl, titled("VSselain"), "");
        row("dialog Suodatin", Qt::Key_Left, ctrl, titled("Suodatin"), "");
        row("dialog Suodatin f3", Qt::Key_F3, none, titled("Suodatin"), "");
        row("title case ignored", Qt::Key_F11, none, titled("Lataa SUODATIN levyltä"), "");
        row("picture width prompt", Qt::Key_Plus, ctrl, titled("Kuvan leveys"), "");
        KeyContext dialogWithList = titled("VSselain");
        dialogWithList.addressListSelection = true;
        row("dialog with address list", Qt::Key_Delete, none, dialogWithList, "");

        // The program's other windows (settings, ledger) keep their keys.
        KeyContext ledger = titled("Myydyt / ostetut kohteet");
        ledger.inMainWindow = false;
        row("ledger ctrl+left", Qt::Key_Left, ctrl, ledger, "");
        KeyContext settings = titled("Yleiset asetukset");
        settings.inMainWindow = false;
        row("settings f3", Qt::Key_F3, none, settings, "");
        ledger.resultListPage = true;
        ledger.sellerFilter = true;
        row("ledger delete on result page", Qt::Key_Delete, none, ledger, "");

        // Delete.
        KeyContext list = main;
        list.addressListSelection = true;
        row("delete in open address list", Qt::Key_Delete, none, list, "poistaurl");
        KeyContext result = main;
        result.resultListPage = true;
        result.sellerFilter = true;
        row("delete on result page", Qt::Key_Delete, none, result, "suodatakohde");
        list.resultListPage = true;
        list.sellerFilter = true;
        row("address list before result page", Qt::Key_Delete, none, list, "poistaurl");
        result.sellerFilter = false;
        row("delete on result page, no filter", Qt::Key_Delete, none, result, "");
        KeyContext item = main;
        item.sellerFilter = true;
        row("delete on item page", Qt::Key_Delete, none, item, "");
        row("ctrl+delete on item page", Qt::Key_Delete, ctrl, item, "");
    }
    void keys()
    {
        QFETCH(int, key);
        QFETCH(Qt::KeyboardModifiers, modifiers);
        QFETCH(KeyContext, context);
        QFETCH(QString, word);
        QCOMPARE(CommandDispatch::keyCommand(key, modifiers, context), word);
    }

    void mouse_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("button");
        QTest::addColumn<MouseAction>("action");
        QTest::newRow("back down") << int(QEvent::MouseButtonPress) << int(Qt::BackButton) << MouseAction::Back;
        QTest::newRow("forward down") << int(QEvent::MouseButtonPress) << int(Qt::ForwardButton)
                                      << MouseAction::Forward;
        // The engine would travel again on the release.
        QTest::newRow("back up") << int(QEvent::MouseButtonRelease) << int(Qt::BackButton) << MouseAction::Swallowed;
        QTest::newRow("forward double") << int(QEvent::MouseButtonDblClick) << int(Qt::ForwardButton)
                                        << MouseAction::Swallowed;
        QTest::newRow("left down") << int(QEvent::MouseButtonPress) << int(Qt::LeftButton) << MouseAction::NotHandled;
        QTest::newRow("right down") << int(QEvent::MouseButtonPress) << int(Qt::RightButton)
                                    << MouseAction::NotHandled;
        QTest::newRow("middle up") << int(QEvent::MouseButtonRelease) << int(Qt::MiddleButton)
                                   << MouseAction::NotHandled;
    }
    void mouse()
    {
        QFETCH(int, type);
        QFETCH(int, button);
        QFETCH(MouseAction, action);
        QCOMPARE(CommandDispatch::mouseAction(QEvent::Type(type), Qt::MouseButton(button)), action);
    }

    void nearestShownTab_data()
    {
        QTest::addColumn<QList<bool>>("shown");
        QTest::addColumn<int>("current");
        QTest::addColumn<int>("step");
        QTest::addColumn<int>("target");
        const QList<bool> all{true, true, true};
        const QList<bool> gap{true, false, false, true, true};
        QTest::newRow("left") << all << 2 << -1 << 1;
        QTest::newRow("right") << all << 0 << 1 << 1;
        QTest::newRow("first tab, left") << all << 0 << -1 << -1;
        QTest::newRow("last tab, right") << all << 2 << 1 << -1;
        QTest::newRow("left over closed tabs") << gap << 3 << -1 << 0;
        QTest::newRow("right over closed tabs") << gap << 0 << 1 << 3;
        QTest::newRow("closed tabs at the end") << QList<bool>{true, true, false} << 1 << 1 << -1;
        QTest::newRow("only tab") << QList<bool>{true} << 0 << 1 << -1;
        QTest::newRow("no active tab") << all << -1 << 1 << -1;
    }
    void nearestShownTab()
    {
        QFETCH(QList<bool>, shown);
        QFETCH(int, current);
        QFETCH(int, step);
        QFETCH(int, target);
        QCOMPARE(CommandDispatch::nearestShownTab(shown, current, step), target);
    }
};

QTEST_GUILESS_MAIN(TestCommandDispatch)
#include "tst_commanddispatch.moc"
