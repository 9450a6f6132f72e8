#pragma once
// What the browser decides about a file download, apart from the engine:
// whether a browser may download at all, the file name and folder offered in
// the save dialog (the last folder chosen is remembered for the run), the
// dialog's filter, and the Finnish progress and failure texts.
#include <QString>

class DownloadRules final {
public:
    // Why a download stopped short, as far as the user can act on it.
    enum class Failure { Disk, Network, Server, Other };

    // The hidden auxiliary browsers (seller filter, preview) load with
    // downloads switched off (their download-control answer 22400): a file
    // answer there is dropped without a dialog. Tab browsers offer it.
    static bool offersDownload(bool auxiliaryBrowser) { return !auxiliaryBrowser; }

    // A name that is safe as one file name: no folders, no characters the
    // file systems refuse, at most 120 characters; `fallback` when nothing
    // is left.
    static QString safeFileName(const QString &name, const QString &fallback);
    // The name offered when a page is saved: its title + ".mhtml".
    static QString pageFileName(const QString &title);
    // A page saved with the extension .html or .htm is written as one HTML
    // file; anything else as a web archive (MHTML).
    static bool savesSingleHtml(const QString &path);
    // The save dialog's filter for a file: its own extension first.
    static QString fileFilter(const QString &fileName);
    static QString pageFilter();

    // "Ladataan: nimi.zip 45 %" (or the kilobytes when the size is unknown).
    static QString progressText(const QString &fileName, qint64 received, qint64 total);
    static QString failureText(const QString &fileName, Failure failure);
    static QString pageFailureText();
    static QString overwriteQuestion(const QString &path);

    // Puts a finished download in its place, replacing a file there in one
    // step (on another file system through a copy beside the target). False
    // when it could not; the target is then as it was.
    static bool moveIntoPlace(const QString &from, const QString &to);
};

// The folder the save dialog opens in: the user's download folder at first,
// then the folder of the last file saved during this run.
class DownloadFolder final {
public:
    // `initial` is where the first dialog opens; a missing folder falls back
    // to the home folder.
    explicit DownloadFolder(const QString &initial);

    QString folder() const { return m_folder; }
    // The full path offered for a file name.
    QString suggestedPath(const QString &fileName) const;
    // The user chose `filePath`: its folder is the next dialog's.
    void remember(const QString &filePath);

private:
    QString m_folder;
};
