#pragma once
// The picture hosts' answers turned into description snippets. Each host
// answers in its own way; a failure is a notice ("Virhe!", "Asetukset ei ole
// kunnossa!") and no snippet at all.
#include <QString>

namespace UploadAnswers {

struct Outcome {
    QString snippets;   // the text to insert; empty on failure
    QString notice;     // the failure notice; empty on success
    bool ok() const { return notice.isEmpty(); }
};

// `tagit`: 0 "<P>" ... "</P>", 1 followed by "<BR>", 2 nothing.
QString wrap(const QString &snippet, int tagit);

// Imgur: the id after "hash:" up to the next ",", quotes removed.
Outcome imgur(const QString &answer, int mode, const QString &siteRoot, const QString &imageRoot, int tagit);
// Aijaa: every "value='<a ...'" link that names the service's domain, once.
Outcome aijaa(const QString &answer, const QString &domain, bool aui, int tagit);
// Vasarokuva: names ending in ".jpg", one after another.
Outcome vasarokuva(const QString &answer, int mode, const QString &root, bool aui, int tagit);
// The seller's own upload script at `address`: names ending in ".jpg".
Outcome ownServer(const QString &answer, int mode, const QString &address, bool aui, int tagit);

// The picture names of a Vasarokuva or own-server answer: each runs from
// where the previous one ended up to and including the next ".jpg".
QStringList jpgNames(const QString &answer);

}
