#include "application.h"
#include "qtfinnish.h"
#include "renderingmode.h"
#include "rootsandbox.h"
#include "signalwatcher.h"
#include "tform1.h"
#include "browser/engine/browserprofile.h"
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

    TForm1 w(Endpoints::fromEnvironment(), nullptr, nullptr, TForm1::Start::HomePageFirst);
    SignalWatcher watcher;
    QObject::connect(&watcher, &SignalWatcher::terminationRequested, &w, &TForm1::FormTerminate);
    w.show();
    return app.exec();
}
