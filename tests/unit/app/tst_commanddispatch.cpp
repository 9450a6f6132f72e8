// The keyboard and mouse rules of the command dispatch: which keys are the
// program's and which reach the focused widget unchanged.
#include "app/commanddispatch.h"
#include <QtTest>

using CommandDispatch::KeyContext;
using CommandDispatch::MouseAction;

Q_DECLARE_METATYPE(CommandDispatch::MouseAction)

class TestCommandDispatch : public QObject {
    Q_OBJECT
private slots:
    void keys_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        QTest::addColumn<QString>("title");
        QTest::addColumn<bool>("addressList");
        QTest::addColumn<bool>("resultPage");
        QTest::addColumn<bool>("filter");
        QTest::addColumn<QString>("word");   // empty = not handled

        const Qt::KeyboardModifiers none;
        const Qt::KeyboardModifiers ctrl(Qt::ControlModifier);
        const Qt::KeyboardModifiers ctrlShift(Qt::ControlModifier | Qt::ShiftModifier);
        const Qt::KeyboardModifiers ctrlKeypad(Qt::ControlModifier | Qt::KeypadModifier);
        const QString main = QStringLiteral("*** Vasaro selain 4.05 *** Tänään on : torstai 10.12. 5:40");

        struct Ctrl { int key; const char *word; };
        const Ctrl table[] = {
            {Qt::Key_Left, "tabvasen"}, {Qt::Key_Right, "taboikea"}, {Qt::Key_F, "etsikorosta"},
            {Qt::Key_H, "kohdehaku"}, {Qt::Key_K, "kayttajahaku"}, {Qt::Key_Q, "suljelehti"},
            {Qt::Key_S, "tallennasivu"}, {Qt::Key_T, "uusilehti"}, {Qt::Key_U, "lahdekoodi"},
        };
        for (const Ctrl &c : table)
            QTest::addRow("ctrl %s", c.word) << c.key << ctrl << main << false << false << false << c.word;

        QTest::newRow("ctrl+plus") << int(Qt::Key_Plus) << ctrl << main << false << false << false << "zoom+";
        QTest::newRow("ctrl+shift+plus") << int(Qt::Key_Plus) << ctrlShift << main << false << false << false
                                         << "zoom+";
        QTest::newRow("ctrl+= (plus unshifted)") << int(Qt::Key_Equal) << ctrl << main << false << false << false
                                                 << "zoom+";
        QTest::newRow("ctrl+keypad plus") << int(Qt::Key_Plus) << ctrlKeypad << main << false << false << false
                                          << "zoom+";
        QTest::newRow("ctrl+minus") << int(Qt::Key_Minus) << ctrl << main << false << false << false << "zoom-";
        QTest::newRow("ctrl+keypad minus") << int(Qt::Key_Minus) << ctrlKeypad << main << false << false << false
                                           << "zoom-";
        QTest::newRow("ctrl+shift+minus") << int(Qt::Key_Underscore) << ctrlShift << main << false << false
                                          << false << "zoom-";
        QTest::newRow("ctrl+shift+t") << int(Qt::Key_T) << ctrlShift << main << false << false << false
                                      << "uusilehti";
        QTest::newRow("ctrl+alt+t") << int(Qt::Key_T) << Qt::KeyboardModifiers(Qt::ControlModifier | Qt::AltModifier)
                                    << main << false << false << false << "uusilehti";

        // Keys the page keeps.
        QTest::newRow("ctrl+c copies") << int(Qt::Key_C) << ctrl << main << false << false << false << "";
        QTest::newRow("ctrl+v pastes") << int(Qt::Key_V) << ctrl << main << false << false << false << "";
        QTest::newRow("t without ctrl") << int(Qt::Key_T) << none << main << false << false << false << "";
        QTest::newRow("plus without ctrl") << int(Qt::Key_Plus) << none << main << false << false << false << "";
        QTest::newRow("left without ctrl") << int(Qt::Key_Left) << none << main << false << false << false << "";
        QTest::newRow("alt+left") << int(Qt::Key_Left) << Qt::KeyboardModifiers(Qt::AltModifier) << main << false
                                  << false << false << "";
        QTest::newRow("alt+f3") << int(Qt::Key_F3) << Qt::KeyboardModifiers(Qt::AltModifier) << main << false
                                << false << false << "";

        // F3 and F11 need no Ctrl.
        QTest::newRow("f3") << int(Qt::Key_F3) << none << main << false << false << false << "etsitekstia";
        QTest::newRow("f11") << int(Qt::Key_F11) << none << main << false << false << false << "kokoruututila";
        QTest::newRow("ctrl+f3") << int(Qt::Key_F3) << ctrl << main << false << false << false << "etsitekstia";
        QTest::newRow("shift+f11") << int(Qt::Key_F11) << Qt::KeyboardModifiers(Qt::ShiftModifier) << main << false
                                   << false << false << "kokoruututila";

        // The program's own input dialogs get their keys unchanged.
        QTest::newRow("dialog VSselain") << int(Qt::Key_T) << ctrl << "VSselain" << false << false << false << "";
        QTest::newRow("dialog Suodatin") << int(Qt::Key_Left) << ctrl << "Suodatin" << false << false << false
                                         << "";
        QTest::newRow("dialog Suodatin f3") << int(Qt::Key_F3) << none << "Suodatin" << false << false << false
                                            << "";
        QTest::newRow("title case ignored") << int(Qt::Key_F11) << none << "Lataa SUODATIN levyltä" << false
                                            << false << false << "";
        QTest::newRow("picture width prompt") << int(Qt::Key_Plus) << ctrl << "Kuvan leveys" << false << false
                                              << false << "";
        QTest::newRow("dialog with address list") << int(Qt::Key_Delete) << none << "VSselain" << true << false
                                                  << false << "";

        // Delete.
        QTest::newRow("delete in open address list") << int(Qt::Key_Delete) << none << main << true << false
                                                     << false << "poistaurl";
        QTest::newRow("address list before result page") << int(Qt::Key_Delete) << none << main << true << true
                                                         << true << "poistaurl";
        QTest::newRow("delete on result page") << int(Qt::Key_Delete) << none << main << false << true << true
                                               << "suodatakohde";
        QTest::newRow("delete on result page, no filter") << int(Qt::Key_Delete) << none << main << false << true
                                                          << false << "";
        QTest::newRow("delete on item page") << int(Qt::Key_Delete) << none << main << false << false << true
                                             << "";
        QTest::newRow("ctrl+delete on item page") << int(Qt::Key_Delete) << ctrl << main << false << false << true
                                                  << "";
    }
    void keys()
    {
        QFETCH(int, key);
        QFETCH(Qt::KeyboardModifiers, modifiers);
        QFETCH(QString, title);
        QFETCH(bool, addressList);
        QFETCH(bool, resultPage);
        QFETCH(bool, filter);
        QFETCH(QString, word);
        KeyContext context;
        context.windowTitle = title;
        context.addressListSelection = addressList;
        context.resultListPage = resultPage;
        context.sellerFilter = filter;
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
