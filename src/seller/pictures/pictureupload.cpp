#include "seller/pictures/pictureupload.h"

#include "client/httpapi.h"
#include "client/httputil.h"
#include "client/uploadfields.h"
#include "core/prompts.h"
#include "core/settings.h"
#include "core/waitfor.h"
#include "imaging/picturebatch.h"
#include "imaging/pictureprep.h"
#include "seller/pictures/uploadanswers.h"

#include <QFile>
#include <QFileInfo>
#include <QUrl>

namespace {
constexpr int kShrinkNoticeSeconds = 5;
constexpr int kWaitNoticeSeconds = 145;
constexpr int kResultNoticeSeconds = 3;
// Preparing is local work; the limit only guards against a hung decoder.
constexpr int kPrepareLimitMs = 10 * 60 * 1000;

QString domainOf(const QString &root)
{
    QString host = QUrl(root).host().toLower();
    if (host.startsWith(QLatin1String("www.")))
        host = host.mid(4);
    return host;
}
}

PictureUpload::PictureUpload(Settings &settings, HttpApi &http, Prompts &prompts, PictureUploadHost &host,
                             Hosts hosts, QString tempFolder)
    : m_settings(settings), m_http(http), m_prompts(prompts), m_host(host), m_hosts(std::move(hosts)),
      m_tempFolder(std::move(tempFolder))
{
}

QString PictureUpload::dialogFilter()
{
    // WebP is decoded too, so it is offered with the rest.
    return QStringLiteral("Kuvat (*.jpg *.jpeg *.bmp *.gif *.tif *.tiff *.png *.psp *.webp);;Kaikki tiedostot (*)");
}

QStringList PictureUpload::numberedFields(const QString &stem, int count)
{
    QStringList fields;
    for (int i = 1; i <= count; ++i)
        fields << stem + QString::number(i);
    return fields;
}

bool PictureUpload::prepare(const QStringList &files, QStringList &prepared)
{
    m_host.naytapaneeli(QStringLiteral("Pienennetään kuvaa.."), kShrinkNoticeSeconds);
    const PicturePrep::Options options = PicturePrep::optionsFor(m_mode, m_settings, m_tempFolder);
    PictureBatch batch;
    batch.start(files, options);
    waitFor([&batch] { return batch.isDone(); }, kPrepareLimitMs);
    batch.wait();
    m_host.hidePanel();
    prepared.clear();
    for (const PicturePrep::Result &r : batch.results()) {
        if (r.status == PicturePrep::Status::WriteFailed) {
            m_prompts.error(PicturePrep::message(r.status));
            m_mode = 0;
            return false;
        }
        if (r.status == PicturePrep::Status::WrongType)
            m_prompts.message(PicturePrep::message(r.status));
        prepared << r.path;
    }
    return true;
}

QString PictureUpload::send(const QString &address, const QString &referer, const QStringList &prepared,
                            const QStringList &fileFields, const QStringList &names, const QStringList &values)
{
    m_host.naytapaneeli(QStringLiteral("Odota.."), kWaitNoticeSeconds);
    UploadFields fields;
    fields.clear();
    for (int i = 0; i < names.size(); ++i)
        fields.add(names.at(i), values.at(i));
    const QString answer = m_http.UploadHttpPost(address, referer, prepared, fileFields, fields.values(), fields.names());
    // The prepared copies served this upload only. They go now, by name: a
    // sweep of the shared temporary folder would take the pictures another
    // running program is about to send.
    for (const QString &path : prepared)
        QFile::remove(path);
    return answer;
}

void PictureUpload::finish(const QString &snippets, const QString &notice)
{
    m_mode = 0;
    if (!notice.isEmpty()) {
        m_host.naytapaneeli(notice, kResultNoticeSeconds);
        return;
    }
    const bool inserted = m_host.insert_into_description(snippets);
    m_host.naytapaneeli(inserted ? QStringLiteral("Lisätty!") : QStringLiteral("Virhe!"), kResultNoticeSeconds);
}

void PictureUpload::lisakuva(int mode)
{
    if (mode != 1 && mode != 2)
        return;
    m_mode = mode;
    const QString file = m_prompts.openFileName(QString(), QString(), dialogFilter());
    if (file.isEmpty() || !QFileInfo(file).isFile()) {
        m_mode = 0;
        return;
    }
    QStringList prepared;
    if (!prepare({file}, prepared))
        return;
    const QString answer = send(m_hosts.imgurRoot + QStringLiteral("upload"), m_hosts.imgurRoot, prepared,
                                {QStringLiteral("file")}, {QStringLiteral("album_title"), QStringLiteral("layout")},
                                {QStringLiteral("Optional Album Title"), QStringLiteral("b")});
    const UploadAnswers::Outcome o =
        UploadAnswers::imgur(answer, mode, m_hosts.imgurRoot, m_hosts.imgurImageRoot, m_settings.tagit);
    finish(o.snippets, o.notice);
}

// The pictures of a several-picture command; the command's mode holds while
// the dialog is open and ends when nothing was chosen.
QStringList PictureUpload::choosePictures(int mode)
{
    m_mode = mode;
    const QStringList files = m_prompts.openFileNames(QString(), QString(), dialogFilter());
    if (files.isEmpty())
        m_mode = 0;
    return files;
}

void PictureUpload::lisakuvaaijaa()
{
    const QStringList files = choosePictures(3);
    if (files.isEmpty())
        return;
    if (files.size() > kAijaaMaxFiles) {
        m_prompts.information(QStringLiteral("Aijaa tukee max 50 kuvan lähettämistä kerralla.\n\nValitse enintään 50 kuvaa!"));
        m_mode = 0;
        return;
    }
    QStringList prepared;
    if (!prepare(files, prepared))
        return;
    QStringList fields;
    for (int i = 0; i < prepared.size(); ++i)
        fields << QStringLiteral("img[]");
    m_host.clearStopFlag();
    const QString answer = send(m_hosts.aijaaRoot + QStringLiteral("upld/"), m_hosts.aijaaRoot, prepared, fields,
                                {QStringLiteral("from"), QStringLiteral("title"), QStringLiteral("fselectos"),
                                 QStringLiteral("autmPoisto")},
                                {QStringLiteral("etu"), QString(), QStringLiteral("-"), QStringLiteral("0")});
    const UploadAnswers::Outcome o =
        UploadAnswers::aijaa(answer, domainOf(m_hosts.aijaaRoot), m_settings.aui, m_settings.tagit);
    finish(o.snippets, o.notice);
}

void PictureUpload::vasarokuva2(int mode)
{
    const QStringList files = choosePictures(mode);
    if (files.isEmpty())
        return;
    QStringList prepared;
    if (!prepare(files, prepared))
        return;
    const QString script = m_hosts.vasarokuvaRoot + QStringLiteral("multikuva.php");
    const QString answer = send(script, script, prepared, numberedFields(QStringLiteral("tiedosto"), prepared.size()),
                                {QStringLiteral("user"), QStringLiteral("pass")},
                                {HttpUtil::HTTPEncode(m_settings.hktunnus), HttpUtil::HTTPEncode(m_settings.hksalasana)});
    const UploadAnswers::Outcome o =
        UploadAnswers::vasarokuva(answer, mode, m_hosts.vasarokuvaRoot, m_settings.aui, m_settings.tagit);
    finish(o.snippets, o.notice);
}

void PictureUpload::Kotisivu(int mode)
{
    const QString address = m_settings.omapalvelin;
    if (address.isEmpty()) {
        m_prompts.information(QStringLiteral("Lue ohjeet miten voi lisätä kuvia omille kotisivuille"));
        return;
    }
    const QStringList files = choosePictures(mode);
    if (files.isEmpty())
        return;
    QStringList prepared;
    if (!prepare(files, prepared))
        return;
    const QString base = address.left(address.lastIndexOf(QLatin1Char('/')) + 1);
    const QString answer = send(address, base, prepared, numberedFields(QStringLiteral("fileupload"), prepared.size()),
                                {QStringLiteral("w")}, {mode == 6 ? QStringLiteral("150") : QStringLiteral("600")});
    const UploadAnswers::Outcome o = UploadAnswers::ownServer(answer, mode, address, m_settings.aui, m_settings.tagit);
    finish(o.snippets, o.notice);
}

void PictureUpload::tsClick()
{
    m_host.openPictureSettings();
}
