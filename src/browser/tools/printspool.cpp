#include "browser/tools/printspool.h"
#include "core/atomicfile.h"
#include "core/waitfor.h"
#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>

namespace {
constexpr int kStartLimitMs = 5000;
constexpr int kSpoolLimitMs = 30000;

PrintSpool::Result spool(const QByteArray &pdf, const QPrinter &printer)
{
    const QString lp = QStandardPaths::findExecutable(QStringLiteral("lp"));
    if (lp.isEmpty())
        return PrintSpool::Result::NoSpooler;
    QStringList args;
    if (!printer.printerName().isEmpty())
        args << QStringLiteral("-d") << printer.printerName();
    args << QStringLiteral("-n") << QString::number(qMax(1, printer.copyCount()));
    args << QStringLiteral("-t") << QStringLiteral("VSselain");
    QProcess process;
    process.start(lp, args);
    if (!waitFor([&process] { return process.state() != QProcess::Starting; }, kStartLimitMs)
        || process.state() != QProcess::Running)
        return PrintSpool::Result::NoSpooler;
    process.write(pdf);
    process.closeWriteChannel();
    waitFor([&process] { return process.state() == QProcess::NotRunning; }, kSpoolLimitMs);
    const bool ok = process.state() == QProcess::NotRunning && process.exitStatus() == QProcess::NormalExit
                    && process.exitCode() == 0;
    return ok ? PrintSpool::Result::Done : PrintSpool::Result::SpoolFailed;
}
}

PrintSpool::Result PrintSpool::send(const QByteArray &pdf, const QPrinter &printer)
{
    if (printer.outputFormat() == QPrinter::PdfFormat) {
        const QString file = printer.outputFileName();
        return !file.isEmpty() && AtomicFile::write(file, pdf) ? Result::Done : Result::FileFailed;
    }
    return spool(pdf, printer);
}
