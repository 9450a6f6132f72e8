// The maker's version answer and the program-file header check. Whatever
// arrives: an answer is valid exactly when its second significant character
// is ".", the version is at most four characters, a download address is
// only taken from an answer ending in "/", and nothing of the answer is
// invented. The header check never reads past the bytes it is given.
#include "update/elfcheck.h"
#include "update/versionanswer.h"
#include "fuzzsupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = Fuzz::raw(data, size);
    const QString text = QString::fromUtf8(bytes);
    QString cleaned = text;
    cleaned.remove(u'\r').remove(u'\n').remove(u' ');
    const VersionAnswer a = VersionAnswer::parse(text);
    FUZZ_CHECK(a.valid == (cleaned.size() >= 2 && cleaned.at(1) == u'.'));
    if (!a.valid) {
        FUZZ_CHECK(a.version.isEmpty() && a.downloadBase.isEmpty());
    } else {
        FUZZ_CHECK(a.version == cleaned.left(4));
        FUZZ_CHECK(a.downloadBase.isEmpty() || (a.downloadBase.endsWith(u'/') && cleaned.size() > 4));
        FUZZ_CHECK(cleaned.startsWith(a.version + a.downloadBase));
        FUZZ_CHECK(!a.downloadBase.contains(u' ') && !a.downloadBase.contains(u'\n'));
        // The parts read again give the same answer.
        const VersionAnswer again = VersionAnswer::parse(a.version + a.downloadBase);
        FUZZ_CHECK(again.valid && again.version == a.version && again.downloadBase == a.downloadBase);
    }
    FUZZ_CHECK(!VersionAnswer::isNewer(a.version, a.version));

    // The same bytes as a downloaded program file, cut to the size given.
    (void)ElfCheck::runsHere(bytes);
    (void)ElfCheck::runsLike(bytes, bytes);
    return 0;
}
