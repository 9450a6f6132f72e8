// The title the window system shows for the main window: the real program,
// started on an X server (Xvfb) against the fake marketplace, read back with
// xdotool as a window manager reads it. It must be exactly the caption.
#include "fakemarketplace.h"
#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QtTest>

namespace {
QString program(const QString &name)
{
    return QStandardPaths::findExecutable(name);
}
}

class TestWindowTitle : public QObject {
    Q_OBJECT
private:
    FakeMarketplace m_market;
    QProcess m_xserver;
    QString m_display;

    QProcessEnvironment onDisplay() const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("DISPLAY"), m_display);
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        return env;
    }
    QString xdotool(const QStringList &args) const
    {
        QProcess p;
        p.setProcessEnvironment(onDisplay());
        p.start(program(QStringLiteral("xdotool")), args);
        p.waitForFinished(5000);
        return QString::fromUtf8(p.readAllStandardOutput()).trimmed();
    }
    // Names of the windows whose name contains `part`.
    QStringList windowNames(const QString &part) const
    {
        QStringList names;
        const QStringList ids = xdotool({QStringLiteral("search"), QStringLiteral("--name"), part})
                                    .split(u'\n', Qt::SkipEmptyParts);
        for (const QString &id : ids)
            names << xdotool({QStringLiteral("getwindowname"), id});
        return names;
    }

private slots:
    void initTestCase()
    {
        if (program(QStringLiteral("Xvfb")).isEmpty() || program(QStringLiteral("xdotool")).isEmpty())
            QSKIP("Xvfb and xdotool are needed (scripts/setup.sh --tests installs them)");
        QVERIFY(m_market.start());
        for (int n = 70 + int(QCoreApplication::applicationPid() % 20); n < 120; ++n) {
            if (QFile::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(n))
                || QFile::exists(QStringLiteral("/tmp/.X%1-lock").arg(n)))
                continue;
            m_display = QStringLiteral(":%1").arg(n);
            m_xserver.start(program(QStringLiteral("Xvfb")),
                            {m_display, QStringLiteral("-screen"), QStringLiteral("0"), QStringLiteral("1280x1024x24"),
                             QStringLiteral("-nolisten"), QStringLiteral("tcp")});
            QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(n)), 10000);
            return;
        }
        QFAIL("no free X display");
    }

    void cleanupTestCase()
    {
        if (m_xserver.state() != QProcess::NotRunning) {
            m_xserver.terminate();
            m_xserver.waitForFinished(5000);
        }
    }

    // The caption, with nothing appended (such as the program's name).
    void titleIsExactlyTheCaption()
    {
        QProcess app;
        app.setProcessEnvironment(onDisplay());
        app.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        app.start(QCoreApplication::applicationDirPath() + QStringLiteral("/vsselain"));
        QVERIFY(app.waitForStarted(5000));
        const QString prefix = QStringLiteral("*** Vasaro selain 4.05 *** Tänään on : ");
        QStringList names;
        // Until the window shows or the program ends; the names say which.
        static_cast<void>(QTest::qWaitFor([&] {
            names = windowNames(QStringLiteral("Tänään on"));
            return !names.isEmpty() || app.state() != QProcess::Running;
        }, 30000));
        app.terminate();   // closes the main window in order, as a logout does
        if (!app.waitForFinished(15000))
            app.kill();
        QVERIFY2(!names.isEmpty(), "no main window on the X display");
        static const QRegularExpression caption(
            QStringLiteral("^\\*\\*\\* Vasaro selain 4\\.05 \\*\\*\\* Tänään on : \\w+ \\d{1,2}\\.\\d{1,2}\\. "
                           "\\d{1,2}[:.]\\d\\d[:.]\\d\\d \\(Järjestelmän aikaa\\)$"));
        for (const QString &name : names) {
            QVERIFY2(name.startsWith(prefix), qPrintable(name));
            QVERIFY2(caption.match(name).hasMatch(), qPrintable(name));
        }
    }
};

QTEST_GUILESS_MAIN(TestWindowTitle)
#include "tst_windowtitle.moc"
