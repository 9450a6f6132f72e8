#pragma once
// Qt's GIF and BMP readers hand back a partly grey picture from a cut-off
// file without an error. These checks walk the file's own structure to see
// that the pixel data is all there.
#include <QByteArray>

namespace Completeness {
// The first image's compressed data ends inside the file.
bool gifComplete(const QByteArray &bytes);
// An uncompressed BMP holds all the rows its header announces; compressed
// ones (run-length, embedded JPEG/PNG) are left to the reader.
bool bmpComplete(const QByteArray &bytes);
}
