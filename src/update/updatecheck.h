#pragma once
// The update check: the version file of the maker's web site, the question,
// the download of the new program file, its signature and header checks and
// its installation over the running program.
//
// Files of this folder:
//   versionanswer     the version file's answer
//   updatedownload    the cancellable download
//   updatesignature   detached Ed25519 signature (libsodium)
//   updatekey         the build's public key (CMake option VS_UPDATE_PUBLIC_KEY)
//   elfcheck          "is this a program for this machine"
//   programinstaller  new file beside, old to ".old", new into place
//   programrestart    starting the new program after the old one
//   updatehost.h      the panel and the main window as the check sees them
//   progresspanelview the progress panel widget behind UpdatePanel
#include "browser/features/updatecheckfeature.h"
#include "update/programinstaller.h"
#include <QByteArray>
#include <QString>

class HttpApi;
class Prompts;
class QNetworkAccessManager;
class UpdateHost;
class UpdatePanel;

class UpdateCheck final : public UpdateCheckFeature {
public:
    // Who asked: the menu item `Paivita1` (a manual check) or the main
    // window (the daily automatic check, silent unless there is an update).
    enum class Sender { MainWindow, Paivita1 };

    struct Parts {
        HttpApi *http = nullptr;
        QNetworkAccessManager *network = nullptr;
        Prompts *prompts = nullptr;
        UpdatePanel *panel = nullptr;
        UpdateHost *host = nullptr;
        QString makerWeb;      // ends in "/"
        QString programFile;   // the running program file
        QByteArray publicKey;  // raw 32 bytes
    };

    static constexpr const char *kProgramName = "vsselain";
    static constexpr qint64 kMinimumProgramBytes = 1100000;
    static constexpr qint64 kMaximumProgramBytes = 512LL * 1024 * 1024;
    static constexpr int kVersionTimeoutMs = 10000;
    static constexpr const char *kPackageManagerHint = "Päivitä ohjelma pakettienhallinnasta.";

    explicit UpdateCheck(Parts parts);

    void Paivita1Click() override { Paivita1Click(Sender::MainWindow); }
    void Paivita1Click(Sender sender);
    // Downloads the program file and puts it in place: true when installed.
    bool lataapaivitys(const QString &address);

    // A check under way: its answer (or its download) is being waited for.
    bool isRunning() const { return m_running; }
    const ProgramInstaller &installer() const { return m_installer; }
    void setProgramFile(const QString &path) { m_installer = ProgramInstaller(path); }
    void setPublicKey(const QByteArray &key) { m_parts.publicKey = key; }

    // The signature lies beside the program file: ".sig" after the path,
    // before the query ("vsselain?nocache=1" -> "vsselain.sig?nocache=1").
    static QString signatureAddress(const QString &address);

private:
    QString makerWebWithoutSlash() const;
    void failed(bool adminHint) const;
    bool verified(const QString &address, const QByteArray &bytes) const;

    Parts m_parts;
    ProgramInstaller m_installer;
    bool m_running = false;
};
