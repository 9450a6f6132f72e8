#include "application.h"
#include "qtfinnish.h"
#include "renderingmode.h"
#include "rootsandbox.h"
#include "signalwatcher.h"
#include "tform1.h"
#include "browser/engine/browserprofile.h"
#include "core/privatestorage.h"
#include "widgets/gradientstyle.h"
#include "update/programrestart.h"
#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <cstdio>
#include <unistd.h>

int runApplication(int argc, char **argv)
{
    // Started by an update: the previous program first lets go of the profile.
    ProgramRestart::waitForPrevious();
    // The program's and the engine's files are private to the user.
    PrivateStorage::restrictNewFiles();
    QCoreApplication::setOrganizationName(QStringLiteral("VSselain"));
    QCoreApplication::setApplicationName(QStringLiteral("VSselain"));
    const QByteArray sandboxWarning = RootSandbox::apply(geteuid());
    if (!sandboxWarning.isEmpty())
        std::fputs(sandboxWarning.constData(), stderr);
    RenderingMode::apply();
    BrowserProfile::registerSchemes();
    QApplication app(argc, argv);
    // The desktop entry's name: Wayland compositors find the icon by it.
    QGuiApplication::setDesktopFileName(QStringLiteral("fi.vsselain.VSselain"));
    RenderingMode::afterApplication();
    // No application display name: on X11 Qt would append it to every
    // window title, and the main window's title is exactly its caption.
    QLocale::setDefault(QLocale(QLocale::Finnish, QLocale::Finland));
    // Qt's own dialogs (file dialogs, buttons) in Finnish.
    const QtFinnish qtFinnish(&app);
    GradientStyle::apply(app);

    // Watched from before the window exists: a signal during the start is
    // handled once the start's first event loop (a message) runs, or after it.
    SignalWatcher watcher;
    TForm1 w(Endpoints::fromEnvironment(), nullptr, nullptr, TForm1::Start::HomePageFirst);
    const auto terminate = [&w] {
        // Nothing is asked; every event loop, the nested ones of open
        // dialogs included, ends. Should the engine's shutdown hang, the
        // alarm ends the process (the files are written by then).
        w.FormTerminate();
        ::alarm(10);
        QCoreApplication::exit(0);
    };
    QObject::connect(&watcher, &SignalWatcher::terminationRequested, &w, terminate);
    if (watcher.requested())   // while the window was being built
        terminate();
    if (!w.terminating())
        w.show();
    if (w.terminating())
        return 0;
    return app.exec();
}
