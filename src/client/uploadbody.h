#pragma once
// The multipart/form-data body of a picture upload, byte for byte as the
// picture hosts have always received it: text fields first, then the file
// parts with the file name exactly as passed (the full path) and the type
// "image/pjpeg"; an empty path makes an empty binary part.
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

namespace UploadBody {

// "---------------------------7d84e31803b4" (27 hyphens and the number).
QByteArray boundary();
// "multipart/form-data; boundary=" + boundary().
QByteArray contentType();

// The body, or nothing when a file cannot be read (then nothing is sent);
// `unreadable` receives that file's path. Texts go out in Windows-1252.
std::optional<QByteArray> build(const QStringList &filePaths, const QStringList &fileFields,
                                const QStringList &textValues, const QStringList &textNames,
                                QString *unreadable = nullptr);

} // namespace UploadBody
