#pragma once
// Puts a new program file in place of the running one. The new bytes are
// first written beside it (with the run bit), then the running file is
// renamed to ".old" and the new one renamed into its place, so a failed
// write never leaves a half-written program: on any failure the program
// file is as it was.
#include <QByteArray>
#include <QString>

class ProgramInstaller final {
public:
    explicit ProgramInstaller(QString programFile);

    QString programFile() const { return m_program; }
    // "vsselain" -> "vsselain.old" (the extension, if any, is replaced).
    QString oldFile() const;
    QString stagingFile() const;

    // False for a program the package manager looks after (a system program
    // folder under /usr, /usr/local aside) or whose folder this user cannot
    // write: such a program is updated through the package manager.
    bool replaceable() const;
    bool install(const QByteArray &bytes);
    // After an ordinary close: the previous program file is no longer needed.
    void removeOld() const;

private:
    QString m_program;
};
