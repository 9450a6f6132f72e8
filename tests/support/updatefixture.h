#pragma once
// The maker's fake update service and the program folder, as the update
// tests lay them out: the service's programs in `served` (one folder per
// offered address), the running program's file in `install`. For test
// programs built with VS_NEW_PROGRAM (a real program to offer).
#include "fakemarketplace.h"
#include "testfiles.h"
#include "update/updatecheck.h"
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <memory>

struct UpdateFixture {
    FakeMarketplace market;
    QTemporaryDir served;    // what the maker's service hands out
    QTemporaryDir install;   // the program folder
    QByteArray newProgram;   // a real program, large enough to be accepted

    // Starts the service with the maker's address pointing at it.
    bool start()
    {
        market.setEndpoint(QStringLiteral("maker_web"), QStringLiteral("http://www.vsselain.test/"));
        if (!market.start())
            return false;
        newProgram = readFile(QStringLiteral(VS_NEW_PROGRAM));
        market.setState(QStringLiteral("ohjelmat"), served.path());
        return newProgram.size() >= UpdateCheck::kMinimumProgramBytes;
    }

    QString program() const { return install.filePath(QStringLiteral("vsselain")); }

    // The service offers `bytes` (and their signature, unless null) at
    // http://www.vsselain.test/<folder>/vsselain.
    bool serve(const QString &folder, const QByteArray &bytes, const QByteArray &signature) const
    {
        return QDir().mkpath(served.filePath(folder))
            && writeFile(served.filePath(folder + QStringLiteral("/vsselain")), bytes)
            && (signature.isNull() || writeFile(served.filePath(folder + QStringLiteral("/vsselain.sig")), signature));
    }

    // The text "Käytössä oleva versio" shows; its box is closed with OK.
    static QString aboutText(QWidget *window)
    {
        const auto text = std::make_shared<QString>();
        QTimer closer;
        QObject::connect(&closer, &QTimer::timeout, [text] {
            for (QWidget *w : QApplication::topLevelWidgets()) {
                auto *box = qobject_cast<QMessageBox *>(w);
                if (box && box->isVisible() && box->objectName() == QLatin1String("AboutBox")) {
                    *text = box->text();
                    box->button(QMessageBox::Ok)->click();
                }
            }
        });
        closer.start(50);
        window->findChild<QAction *>(QStringLiteral("About1"))->trigger();
        return *text;
    }
};
