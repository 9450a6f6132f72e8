// The seller filter's file commands: load, save, clear, and the question at
// shut-down.
#include "buyer/sellerfilter/sellerfilter.h"
#include "buyer/sellerfilter/filterfile.h"
#include "buyer/sellerfilter/filterhost.h"
#include "core/prompts.h"
#include "core/settings.h"
#include <QFile>
#include <QFileInfo>

namespace {
// The file dialogs take Qt's filter form of "Suodatin/tekstitiedosto|*.txt".
QString dialogFilter()
{
    return QStringLiteral("Suodatin/tekstitiedosto (*.txt)");
}
}

bool SellerFilter::lataasuodatin(const QString &path)
{
    FilterFile::ReadResult file = FilterFile::read(path);
    if (!file.ok) {
        m_prompts.error(file.error);
        return false;
    }
    m_list.replace(std::move(file.lines));
    m_settings.suodatinPath = path;
    paivitasuodatin();
    m_unchanged = true;
    m_host.naytapaneeli(QStringLiteral("Suodatin ladattu! (") + QString::number(m_list.size())
                            + QStringLiteral("kpl)"),
                        3);
    return true;
}

void SellerFilter::MenuItem36Click(const QString &dataFolder)
{
    const QString path = m_prompts.openFileName(QStringLiteral("Lataa suodatin"), dataFolder, dialogFilter());
    if (!path.isEmpty())
        lataasuodatin(path);
}

void SellerFilter::MenuItem37Click(const QString &dataFolder)
{
    const QString proposed =
        m_settings.suodatinPath.isEmpty() ? dataFolder + FilterFile::defaultName() : m_settings.suodatinPath;
    QString path = m_prompts.saveFileName(QStringLiteral("Tallenna suodatin"), proposed, dialogFilter());
    if (path.isEmpty())
        return;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".txt");
    if (QFileInfo::exists(path)
        && m_prompts.confirm(QStringLiteral("Tiedosto on jo olemassa!\r\rKorvataanko ") + path, true)
               != Prompts::Answer::Yes)
        return;
    saveTo(path);
}

bool SellerFilter::saveTo(const QString &path)
{
    jarjestasuodatin();
    QString error;
    if (!FilterFile::write(path, m_list.entries(), &error)) {
        m_prompts.error(error);
        return false;
    }
    m_settings.suodatinPath = path;
    m_unchanged = true;
    m_host.naytapaneeli(QStringLiteral("Suodatin tallennettu!"), 3);
    return true;
}

void SellerFilter::yhjennsuodatin1Click()
{
    if (m_prompts.confirm(QStringLiteral("Tyhjennetäänkö suodatin?"), true) != Prompts::Answer::Yes)
        return;
    m_list.clear();
    m_unchanged = false;
    m_host.naytapaneeli(QStringLiteral("Suodatin tyhjennetty!"), 3);
}

bool SellerFilter::askSaveAtClose(const QString &dataFolder)
{
    if (m_unchanged)
        return true;
    const Prompts::Answer answer =
        m_prompts.confirm(QStringLiteral("Suodattimen sisältö on muuttunut, tallennetaanko?"), true);
    if (answer == Prompts::Answer::Cancel)
        return false;
    if (answer == Prompts::Answer::Yes)
        MenuItem37Click(dataFolder);
    return true;
}

QString SellerFilter::recoveryPath(const QString &dataFolder)
{
    return dataFolder + QStringLiteral("tallentamaton_suodatin.txt");
}

bool SellerFilter::saveWithoutAsking(const QString &dataFolder)
{
    if (m_unchanged)
        return true;
    jarjestasuodatin();
    // The filter's own file when it has one; otherwise a recovery file that
    // the next start offers back.
    const QString path = m_settings.suodatinPath.isEmpty() ? recoveryPath(dataFolder) : m_settings.suodatinPath;
    if (!FilterFile::write(path, m_list.entries()))
        return false;
    if (!m_settings.suodatinPath.isEmpty())
        m_unchanged = true;
    return true;
}

void SellerFilter::offerRecovery(const QString &dataFolder)
{
    const QString path = recoveryPath(dataFolder);
    if (!QFileInfo::exists(path))
        return;
    const QString question = QStringLiteral("Ohjelma suljettiin viime kerralla, kun suodatinta ei ollut "
                                            "tallennettu.\r\rPalautetaanko tallentamaton suodatin?");
    const Prompts::Answer answer = m_prompts.confirm(question);
    // Unanswered (the program was told to end meanwhile): offered again.
    if (answer == Prompts::Answer::Cancel)
        return;
    if (answer == Prompts::Answer::Yes) {
        FilterFile::ReadResult file = FilterFile::read(path);
        if (!file.ok) {
            m_prompts.error(file.error);
        } else {
            m_list.replace(std::move(file.lines));
            paivitasuodatin();
            m_unchanged = false;   // still not in a file of the user's
        }
    }
    QFile::remove(path);
}
