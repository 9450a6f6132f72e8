#include "buyer/resultpage/smallpictures.h"
#include "browser/engine/document.h"

namespace SmallPictures {

bool isListingImage(const QString &outerHtml)
{
    const QString html = outerHtml.toLower();
    return html.contains(QLatin1String("kuvat")) || html.contains(QLatin1String("eikuvaa"));
}

bool osastolistanmuokkaus(Document &document)
{
    QList<Element> pictures;
    for (const Element &img : document.getElementsByTagName(QStringLiteral("img"), Document::OuterHtml)) {
        if (isListingImage(img.data().outerHTML))
            pictures.append(img);
    }
    if (pictures.isEmpty())
        return false;
    // One call for all of them: a page of listings has many.
    document.setStyleAll(pictures, QStringLiteral("height"), QLatin1String(kHeight));
    return true;
}

} // namespace SmallPictures
