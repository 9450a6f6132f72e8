#include "seller/templates/listingtemplates.h"
#include "seller/pageaccess.h"
#include "seller/templates/templateform.h"
#include "browser/engine/document.h"
#include "core/prompts.h"
#include "core/settings.h"
#include "core/settingschecks.h"
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {
const QString kFilter = QStringLiteral("Ilmoituspohja (*.ilm)");
const QLatin1String kExt(".ilm");
constexpr int kNoticeTicks = 3;

QString withoutUnsafe(QString name)
{
    for (const QChar c : QStringLiteral("\\/:*?\"<>|"))
        name.remove(c);
    return name;
}

QString sameDirectoryKey(const QString &dir)
{
    QString key = QDir::cleanPath(QDir::fromNativeSeparators(dir));
    while (key.size() > 1 && key.endsWith(u'/'))
        key.chop(1);
    return key;
}
}

ListingTemplates::ListingTemplates(Settings &settings, Prompts &prompts, TemplateHost &host, QString dataFolder,
                                   QObject *parent)
    : QObject(parent), m_settings(settings), m_prompts(prompts), m_host(host), m_dataFolder(std::move(dataFolder))
{
}

QString ListingTemplates::folder() const
{
    QString dir = m_settings.ipohjat;
    if (!dir.isEmpty() && !dir.endsWith(u'/') && !dir.endsWith(u'\\'))
        dir += u'/';
    return dir;
}

QString ListingTemplates::pathOf(int row) const
{
    return row >= 0 && row < m_files.size() ? folder() + m_files.at(row) : QString();
}

QString ListingTemplates::chooseSaveName()
{
    const QString proposed = folder() + withoutUnsafe(m_last.subCategory) + kExt;
    QString path = m_prompts.saveFileName(QStringLiteral("Tallenna ilmoituspohja"), proposed, kFilter);
    if (path.isEmpty())
        return QString();
    if (!path.toLower().contains(kExt))
        path += kExt;
    if (path.contains(QLatin1String("/.ilm")) || path.contains(QLatin1String("\\.ilm"))) {
        m_prompts.information(QStringLiteral("Pohjalle on annettava nimi!"));
        return QString();
    }
    return path;
}

bool ListingTemplates::confirmOverwrite(const QString &path)
{
    if (!QFileInfo::exists(path))
        return true;
    const QString question = QStringLiteral("Tiedosto on jo olemassa!\r\rKorvataanko tiedostossa %1 olevat kentät").arg(path);
    if (m_prompts.confirm(question, true) != Prompts::Answer::Yes)
        return false;
    return lataa_pohja(path);
}

void ListingTemplates::savedraftClick()
{
    const QString path = chooseSaveName();
    if (path.isEmpty() || !confirmOverwrite(path))
        return;
    if (Document *document = m_host.activeDocument()) {
        PageAccess page(*document, m_host.activeEditCommands());
        TemplateForm::read(page, m_last, m_settings.skripti);
    }
    QString error;
    if (!TemplateFile::save(path, m_last, &error)) {
        m_prompts.error(error);
        return;
    }
    m_host.naytapaneeli(QStringLiteral("Pohja tallennettu!"), kNoticeTicks);
    offerFolder(path);
    vakiopohjat();
    selectByName(m_last.subCategory);
}

// Saved elsewhere than the template folder: offer that folder instead.
void ListingTemplates::offerFolder(const QString &path)
{
    const QString dir = QFileInfo(path).absolutePath() + u'/';
    if (sameDirectoryKey(dir) == sameDirectoryKey(folder()))
        return;
    const QString question =
        QStringLiteral("Pohjaa ei tallennettu oletushakemistoon.\r\rVaihdetaanko oletushakemistoksi:\r\r%1").arg(dir);
    if (m_prompts.confirm(question, true) != Prompts::Answer::Yes)
        return;
    m_settings.ipohjat = dir;
    SettingsChecks::ipohjatExit(m_settings, m_dataFolder);
}

void ListingTemplates::lataailmClick()
{
    const QString file = m_prompts.openFileName(QStringLiteral("Lataa ilmoituspohja"), folder(), kFilter);
    if (!file.isEmpty())
        lataailmoituspohja(file);
}

void ListingTemplates::ListBox3Click()
{
    const QString path = pathOf(m_selected);
    if (!path.isEmpty() && QFileInfo::exists(path))
        lataailmoituspohja(path);
}

bool ListingTemplates::lataa_pohja(const QString &file)
{
    m_loaded = TListingTemplate();
    QString error;
    if (TemplateFile::load(file, &m_loaded, &error))
        return true;
    m_prompts.error(error);
    return false;
}

void ListingTemplates::lataailmoituspohja(const QString &file)
{
    if (!lataa_pohja(file))
        return;
    Document *document = m_host.activeDocument();
    if (!document)
        return;
    PageAccess page(*document, m_host.activeEditCommands());
    TemplateForm::fill(page, m_loaded, m_settings.skripti);
    m_host.focusActivePage();
}

void ListingTemplates::XiButton5Click()
{
    if (Document *document = m_host.activeDocument()) {
        PageAccess page(*document, m_host.activeEditCommands());
        TemplateForm::clear(page, m_last.sellstyle, m_settings.skripti);
    }
}

void ListingTemplates::vakiopohjat()
{
    m_names.clear();
    m_files.clear();
    m_selected = -1;
    const QString dir = folder();
    if (!dir.isEmpty()) {
        QDir d(dir);
        const QFileInfoList entries = d.entryInfoList({QStringLiteral("*.ilm")},
                                                      QDir::Files | QDir::Hidden | QDir::System,
                                                      QDir::Name | QDir::IgnoreCase);
        for (const QFileInfo &entry : entries) {
            QString name = entry.fileName();
            name.remove(name.indexOf(kExt, 0, Qt::CaseInsensitive), kExt.size());
            m_names << name;
            m_files << entry.fileName();
        }
    }
    if (!m_names.isEmpty())
        m_selected = 0;
    emit listChanged();
}

void ListingTemplates::select(int row)
{
    m_selected = row >= 0 && row < m_names.size() ? row : -1;
}

void ListingTemplates::selectByName(const QString &name)
{
    for (int i = 0; i < m_names.size(); ++i) {
        if (m_names.at(i).compare(name, Qt::CaseInsensitive) == 0) {
            m_selected = i;
            emit listChanged();
            return;
        }
    }
}

void ListingTemplates::poistapohjaClick()
{
    if (m_names.isEmpty() || m_selected < 0)
        return;
    const QString question = QStringLiteral("Poista ilmoituspohja?\r\r%1").arg(m_names.at(m_selected) + kExt);
    if (m_prompts.confirm(question) != Prompts::Answer::Yes)
        return;
    const QString path = pathOf(m_selected);
    if (QFileInfo::exists(path) && !QFile::remove(path))
        m_prompts.error(QStringLiteral("Ilmoituspohjaa ei voi poistaa:\r\r%1").arg(path));
    vakiopohjat();
}

bool ListingTemplates::insert_into_description(const QString &snippet)
{
    Document *document = m_host.activeDocument();
    if (!document)
        return false;
    PageAccess page(*document, m_host.activeEditCommands());
    return page.insert_into_description(snippet, m_settings.skripti, m_editorMenuMark);
}
