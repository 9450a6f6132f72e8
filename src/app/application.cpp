#include "application.h"
#include "tform1.h"
#include <QApplication>
#include <QLocale>
#include <QWebEngineUrlScheme>

int runApplication(int argc, char **argv)
{
    QCoreApplication::setOrganizationName(QStringLiteral("VSselain"));
    QCoreApplication::setApplicationName(QStringLiteral("VSselain"));
    QApplication app(argc, argv);
    QApplication::setApplicationDisplayName(QStringLiteral("Vasaro selain"));
    QLocale::setDefault(QLocale(QLocale::Finnish, QLocale::Finland));

    TForm1 w;
    w.show();
    return app.exec();
}
