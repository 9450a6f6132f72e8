#include "update/updatecheck.h"
#include "update/elfcheck.h"
#include "update/updatedownload.h"
#include "update/updatehost.h"
#include "update/updatesignature.h"
#include "update/versionanswer.h"
#include "client/httpapi.h"
#include "client/httputil.h"
#include "core/prompts.h"
#include "core/waitfor.h"

namespace {
const QString kCrLf2 = QStringLiteral("\r\n\r\n");

// Clears a flag on every way out of the check.
struct Running {
    explicit Running(bool &flag) : m_flag(flag) { m_flag = true; }
    ~Running() { m_flag = false; }
    bool &m_flag;
};
}

UpdateCheck::UpdateCheck(Parts parts) : m_parts(std::move(parts)), m_installer(m_parts.programFile) {}

void UpdateCheck::Paivita1Click(Sender sender)
{
    // A check already waiting (the menu chosen during the daily check) is enough.
    if (m_running)
        return;
    Running running(m_running);
    const bool manual = sender == Sender::Paivita1;
    UpdatePanel &panel = *m_parts.panel;
    panel.centre();
    QString address = m_parts.makerWeb + QStringLiteral("selainversio.php?nocache=") + HttpUtil::nocache();
    if (manual) {
        panel.showText(QStringLiteral("Tarkistetaan.."));
        address = m_parts.makerWeb + QStringLiteral("selainversio.dat?nocache=") + HttpUtil::nocache();
    }
    const QString text = m_parts.http->xmlhttpget(HttpApi::General, address, kVersionTimeoutMs);
    waitMs(0);
    panel.hide();
    const VersionAnswer answer = VersionAnswer::parse(text);
    if (!answer.valid) {
        if (manual)
            m_parts.prompts->information(QStringLiteral("Uuden version tarkistus epäonnistui!"));
        return;
    }
    if (!VersionAnswer::isNewer(answer.version, QStringLiteral(VS_VERSION))) {
        if (manual)
            m_parts.prompts->information(QStringLiteral("Käytössä on viimeisin versio!"));
        return;
    }
    const QString available =
        QStringLiteral("Uusi versio ") + answer.version + QStringLiteral(" on saatavilla.") + kCrLf2;
    // A packaged install is not replaced behind the package manager's back,
    // and nobody is asked for administrator rights.
    if (!m_installer.replaceable()) {
        m_parts.prompts->information(available + QString::fromUtf8(kPackageManagerHint));
        return;
    }
    if (!m_parts.prompts->confirmOk(available + QStringLiteral("Päivitetäänkö?")))
        return;
    panel.showText(QStringLiteral("Päivitetään.."));
    const QString base = answer.downloadBase.isEmpty() ? m_parts.makerWeb : answer.downloadBase;
    const QString download = base + QLatin1String(kProgramName) + QStringLiteral("?nocache=") + HttpUtil::nocache();
    if (lataapaivitys(download))
        m_parts.host->restartIntoUpdate();
    panel.hide();
}

bool UpdateCheck::lataapaivitys(const QString &address)
{
    const UpdatePanel &panel = *m_parts.panel;
    const auto keepGoing = [&panel] { return panel.isShown(); };
    const UpdateDownload program(m_parts.network, kMaximumProgramBytes);
    const UpdateDownload::Result got = program.get(address, keepGoing);
    if (got.cancelled)
        return false;
    if (got.status != 200 || got.body.size() < kMinimumProgramBytes) {
        failed(false);
        return false;
    }
    // Nothing on disk changes unless the maker signed these very bytes and
    // they are a program for this machine.
    if (!verified(address, got.body) || !ElfCheck::runsHere(got.body)) {
        if (panel.isShown())
            failed(false);
        return false;
    }
    waitMs(0);
    if (!m_installer.install(got.body)) {
        failed(true);
        return false;
    }
    return true;
}

bool UpdateCheck::verified(const QString &address, const QByteArray &bytes) const
{
    const UpdatePanel &panel = *m_parts.panel;
    const UpdateDownload signature(m_parts.network, 4096);
    const UpdateDownload::Result got = signature.get(signatureAddress(address), [&panel] { return panel.isShown(); });
    return !got.cancelled && got.status == 200 && UpdateSignature::verify(bytes, got.body, m_parts.publicKey);
}

QString UpdateCheck::signatureAddress(const QString &address)
{
    const int query = address.indexOf(u'?');
    if (query < 0)
        return address + QStringLiteral(".sig");
    return address.left(query) + QStringLiteral(".sig") + address.mid(query);
}

QString UpdateCheck::makerWebWithoutSlash() const
{
    QString web = m_parts.makerWeb;
    if (web.endsWith(u'/'))
        web.chop(1);
    return web;
}

void UpdateCheck::failed(bool adminHint) const
{
    QString text = QStringLiteral("Päivittäminen ei onnistunut! ") + kCrLf2;
    if (adminHint)
        text += QStringLiteral("Vaatiiko kansion käyttö administrator oikeudet?\r\n\r\nOhje: Asenna selain esim. "
                               "kansioon C:/VSselain/")
                + kCrLf2;
    m_parts.prompts->information(text + QStringLiteral("Päivityksen voi tehdä manuaalisesti ") + makerWebWithoutSlash());
}
