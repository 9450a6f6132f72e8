#include "browser/tools/desktopshortcut.h"
#include "core/atomicfile.h"
#include <QDir>
#include <QFileInfo>

namespace {
// Exec= needs quoting for paths with spaces and escapes inside the quotes.
QString quotedExec(const QString &path)
{
    QString escaped;
    for (const QChar c : path) {
        if (c == u'"' || c == u'`' || c == u'$' || c == u'\\')
            escaped += u'\\';
        escaped += c;
    }
    return u'"' + escaped + u'"';
}
}

QString DesktopShortcut::fileName()
{
    return QStringLiteral("VSselain.desktop");
}

QByteArray DesktopShortcut::launcherText(const QString &executable)
{
    const QFileInfo fi(executable);
    QString text = QStringLiteral("[Desktop Entry]\n"
                                  "Type=Application\n"
                                  "Version=1.0\n"
                                  "Name=VSselain\n"
                                  "Comment=Vasaro selain\n");
    text += QStringLiteral("Exec=") + quotedExec(fi.absoluteFilePath()) + u'\n';
    text += QStringLiteral("Path=") + fi.absolutePath() + u'\n';
    text += QStringLiteral("Terminal=false\nCategories=Network;WebBrowser;\n");
    return text.toUtf8();
}

bool DesktopShortcut::create(const QString &desktopFolder, const QString &executable)
{
    if (desktopFolder.isEmpty() || !QDir().mkpath(desktopFolder))
        return false;
    return AtomicFile::write(QDir(desktopFolder).filePath(fileName()), launcherText(executable),
                             QFileDevice::ExeOwner | QFileDevice::ExeUser | QFileDevice::ReadOwner
                                 | QFileDevice::WriteOwner);
}
