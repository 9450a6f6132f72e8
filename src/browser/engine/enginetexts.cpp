#include "browser/engine/enginetexts.h"
#include <QAction>
#include <QCoreApplication>
#include <iterator>

namespace {
using P = QWebEnginePage;

struct ActionText {
    P::WebAction action;
    const char16_t *text;
};

// Every action of Qt WebEngine 6.4.
constexpr ActionText kTexts[] = {
    {P::Back, u"Edellinen sivu"},
    {P::Forward, u"Seuraava sivu"},
    {P::Stop, u"Pysäytä"},
    {P::Reload, u"Päivitä"},
    {P::Cut, u"Leikkaa"},
    {P::Copy, u"Kopioi"},
    {P::Paste, u"Liitä"},
    {P::Undo, u"Kumoa"},
    {P::Redo, u"Tee uudelleen"},
    {P::SelectAll, u"Valitse kaikki"},
    {P::ReloadAndBypassCache, u"Päivitä välimuistin ohi"},
    {P::PasteAndMatchStyle, u"Liitä pelkkänä tekstinä"},
    {P::OpenLinkInThisWindow, u"Avaa linkki tässä ikkunassa"},
    {P::OpenLinkInNewWindow, u"Avaa linkki uudessa ikkunassa"},
    {P::OpenLinkInNewTab, u"Avaa linkki uudessa välilehdessä"},
    {P::CopyLinkToClipboard, u"Kopioi linkin osoite"},
    {P::DownloadLinkToDisk, u"Tallenna linkin kohde nimellä..."},
    {P::CopyImageToClipboard, u"Kopioi kuva"},
    {P::CopyImageUrlToClipboard, u"Kopioi kuvan osoite"},
    {P::DownloadImageToDisk, u"Tallenna kuva nimellä..."},
    {P::CopyMediaUrlToClipboard, u"Kopioi median osoite"},
    {P::ToggleMediaControls, u"Näytä säätimet"},
    {P::ToggleMediaLoop, u"Toista jatkuvasti"},
    {P::ToggleMediaPlayPause, u"Toista tai keskeytä"},
    {P::ToggleMediaMute, u"Mykistä"},
    {P::DownloadMediaToDisk, u"Tallenna media nimellä..."},
    {P::InspectElement, u"Tutki elementtiä"},
    {P::ExitFullScreen, u"Poistu koko näytön tilasta"},
    {P::RequestClose, u"Sulje sivu"},
    {P::Unselect, u"Poista valinta"},
    {P::SavePage, u"Tallenna sivu..."},
    {P::OpenLinkInNewBackgroundTab, u"Avaa linkki taustalle uuteen välilehteen"},
    {P::ViewSource, u"Näytä sivun lähdekoodi"},
    {P::ToggleBold, u"Lihavointi"},
    {P::ToggleItalic, u"Kursivointi"},
    {P::ToggleUnderline, u"Alleviivaus"},
    {P::ToggleStrikethrough, u"Yliviivaus"},
    {P::AlignLeft, u"Tasaa vasemmalle"},
    {P::AlignCenter, u"Keskitä"},
    {P::AlignRight, u"Tasaa oikealle"},
    {P::AlignJustified, u"Tasaa molemmat reunat"},
    {P::Indent, u"Suurenna sisennystä"},
    {P::Outdent, u"Pienennä sisennystä"},
    {P::InsertOrderedList, u"Numeroitu luettelo"},
    {P::InsertUnorderedList, u"Luettelomerkit"},
};
static_assert(std::size(kTexts) == P::WebActionCount, "every engine action needs a Finnish text");

// The engine's own text (Qt WebEngine 6.4, translated in the QWebEnginePage
// context when a translation is installed).
constexpr char kEngineLeaveText[] =
    "Are you sure you want to leave this page? Changes that you made may not be saved.";
}

namespace EngineTexts {

QString actionText(QWebEnginePage::WebAction action)
{
    for (const ActionText &t : kTexts) {
        if (t.action == action)
            return QString::fromUtf16(t.text);
    }
    return QString();
}

void applyFinnish(QWebEnginePage *page)
{
    for (const ActionText &t : kTexts) {
        if (QAction *a = page->action(t.action))
            a->setText(QString::fromUtf16(t.text));
    }
}

bool isLeavePageQuestion(const QString &message)
{
    return message == QLatin1String(kEngineLeaveText)
        || message == QCoreApplication::translate("QWebEnginePage", kEngineLeaveText);
}

QString leavePageQuestion()
{
    return QStringLiteral("Haluatko poistua tältä sivulta? Tekemäsi muutokset saattavat jäädä tallentamatta.");
}

}
