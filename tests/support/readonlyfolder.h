#pragma once
// Makes a folder read-only for the test's duration, also for a test that runs
// as root (CI does), which ignores permission bits: then the folder is made
// immutable with chattr. blocked() tells whether creating a file there now
// really fails; a test that needs it skips when it does not.
#include <QDir>
#include <QFile>
#include <QProcess>

class ReadOnlyFolder final {
public:
    explicit ReadOnlyFolder(const QString &path) : m_path(path)
    {
        QFile::setPermissions(m_path, QFileDevice::ReadOwner | QFileDevice::ExeOwner | QFileDevice::ReadGroup
                                          | QFileDevice::ExeGroup | QFileDevice::ReadOther | QFileDevice::ExeOther);
        if (!probeBlocked())
            m_immutable = QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("+i"), m_path}) == 0;
    }
    ~ReadOnlyFolder()
    {
        if (m_immutable)
            QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("-i"), m_path});
        QFile::setPermissions(m_path, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    }
    bool blocked() const { return probeBlocked(); }

private:
    bool probeBlocked() const
    {
        QFile probe(QDir(m_path).filePath(QStringLiteral(".kokeilu")));
        if (!probe.open(QIODevice::WriteOnly))
            return true;
        probe.close();
        probe.remove();
        return false;
    }

    QString m_path;
    bool m_immutable = false;
};
