#pragma once
// `osastolistanmuokkaus`: the pictures of a listing page shrunk to one small
// height ("Pienet osastokuvat", or the pictures switched off).
#include <QString>

class Document;

namespace SmallPictures {

constexpr const char *kHeight = "52px";

// A listing's picture or the no-picture image; not the page's other images.
bool isListingImage(const QString &outerHtml);
// True when at least one picture was changed.
bool osastolistanmuokkaus(Document &document);

} // namespace SmallPictures
