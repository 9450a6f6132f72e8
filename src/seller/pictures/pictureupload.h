#pragma once
// Picture upload to the four picture hosts from the listing editor's menu:
// Imgur (`lisakuva`), Aijaa (`lisakuvaaijaa`), Vasarokuva (`vasarokuva2`,
// credentials `tsClick`) and the seller's own server (`Kotisivu`). Each
// command picks pictures, prepares them on worker threads (the window stays
// responsive), uploads them in the dialog's order in one multipart POST,
// turns the answer into snippets (UploadAnswers) and inserts them into the
// listing description.
#include <QString>
#include <QStringList>

class HttpApi;
class Prompts;
struct Settings;

class PictureUploadHost {
public:
    virtual ~PictureUploadHost() = default;
    // The centred notice for `seconds`; hidePanel takes it away.
    virtual void naytapaneeli(const QString &text, int seconds) = 0;
    virtual void hidePanel() = 0;
    // True when the snippet reached the listing description.
    virtual bool insert_into_description(const QString &snippet) = 0;
    // The settings dialog on its page "Lisäkuvien asetukset".
    virtual void openPictureSettings() = 0;
    // Clears the stop flag that abandons waits (before the Aijaa upload).
    virtual void clearStopFlag() = 0;
};

class PictureUpload final {
public:
    struct Hosts {
        QString imgurRoot;        // site root, Referer; upload = root + "upload"
        QString imgurImageRoot;   // direct pictures
        QString aijaaRoot;        // site root, Referer; upload = root + "upld/"
        QString vasarokuvaRoot;   // "multikuva.php", "kuva/", "t/" below it
    };

    static QString dialogFilter();
    static constexpr int kAijaaMaxFiles = 50;

    PictureUpload(Settings &settings, HttpApi &http, Prompts &prompts, PictureUploadHost &host, Hosts hosts,
                  QString tempFolder);

    void lisakuva(int mode);         // 1 small, 2 large
    void lisakuvaaijaa();            // mode 3
    void vasarokuva2(int mode);      // 8 small, 9 large
    void Kotisivu(int mode);         // 6 150 x 150, 7 width 600
    void tsClick();

    int upload_mode() const { return m_mode; }

private:
    // The prepared pictures in the files' order ("" where none); nothing
    // when writing a picture failed (the command then ends).
    QStringList choosePictures(int mode);
    bool prepare(const QStringList &files, QStringList &prepared);
    QString send(const QString &address, const QString &referer, const QStringList &prepared,
                 const QStringList &fileFields, const QStringList &names, const QStringList &values);
    void finish(const QString &snippets, const QString &notice);
    static QStringList numberedFields(const QString &stem, int count);

    Settings &m_settings;
    HttpApi &m_http;
    Prompts &m_prompts;
    PictureUploadHost &m_host;
    Hosts m_hosts;
    QString m_tempFolder;
    int m_mode = 0;
};
