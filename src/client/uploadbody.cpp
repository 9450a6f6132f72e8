#include "uploadbody.h"
#include "core/cp1252.h"
#include <QFile>

namespace UploadBody {

namespace {
const QByteArray kCrlf("\r\n");

QByteArray disposition(const QString &name)
{
    return "Content-Disposition: form-data; name=\"" + Cp1252::encode(name) + '"';
}
} // namespace

QByteArray boundary()
{
    return QByteArray(27, '-') + "7d84e31803b4";
}

QByteArray contentType()
{
    return "multipart/form-data; boundary=" + boundary();
}

std::optional<QByteArray> build(const QStringList &filePaths, const QStringList &fileFields,
                                const QStringList &textValues, const QStringList &textNames,
                                QString *unreadable)
{
    const QByteArray b = boundary();
    QByteArray body;
    const int texts = qMin(textNames.size(), textValues.size());
    for (int i = 0; i < texts; ++i) {
        body += "--" + b + kCrlf;
        body += disposition(textNames.at(i)) + kCrlf + kCrlf;
        body += Cp1252::encode(textValues.at(i)) + kCrlf;
    }
    const int files = qMin(filePaths.size(), fileFields.size());
    if (files == 0) {
        body += "--" + b + "--" + kCrlf;
        return body;
    }
    for (int i = 0; i < files; ++i) {
        const QString &path = filePaths.at(i);
        body += "--" + b + kCrlf;
        body += disposition(fileFields.at(i)) + "; filename=\"" + Cp1252::encode(path) + '"' + kCrlf;
        if (!path.isEmpty()) {
            QFile file(path);
            if (!file.open(QIODevice::ReadOnly)) {
                if (unreadable)
                    *unreadable = path;
                return std::nullopt;
            }
            body += "Content-Type: image/pjpeg" + kCrlf + kCrlf;
            body += file.readAll() + kCrlf;
        } else {
            body += "Content-Transfer-Encoding: binary" + kCrlf + kCrlf;
        }
        body += "--" + b + (i + 1 < files ? kCrlf : QByteArray("--") + kCrlf);
    }
    return body;
}

} // namespace UploadBody
