#include "imaging/pictureprep.h"

#include "core/atomicfile.h"
#include "imaging/boxfilter.h"
#include "imaging/jpegcodec.h"
#include "imaging/picturefile.h"
#include "imaging/shrinkrule.h"
#include "imaging/tempname.h"

#include <QFile>
#include <QFileInfo>

namespace PicturePrep {

Options optionsFor(int uploadMode, Settings &settings, const QString &tempFolder)
{
    Options o;
    o.limit = ShrinkRule::limitsForMode(uploadMode, settings);
    if (std::optional<LogoStamp> stamp = LogoStamp::fromSettings(settings))
        o.logo = std::make_shared<const LogoStamp>(std::move(*stamp));
    o.tempFolder = tempFolder;
    return o;
}

Result pienennakuva2(const QString &file, const Options &options)
{
    if (!QFileInfo(file).isFile())
        return Result{Status::Missing, {}, {}};
    PictureFile::Opened opened = PictureFile::openpicture(file, options.limit);
    if (!opened.ok())
        return Result{Status::WrongType, {}, {}};
    QImage picture = std::move(opened.image);
    const QSize target = ShrinkRule::targetSize(opened.original, options.limit);
    if (picture.size() != target && !BoxFilter::muuta_kuvan_kokoa(target.width(), target.height(), picture))
        return Result{Status::WrongType, {}, {}};
    if (options.logo)
        options.logo->blend(picture);
    const QByteArray jpeg = JpegCodec::encode(picture, kQuality);
    const QString path = TempName::rndfilename(options.tempFolder + QStringLiteral("Vss"), QStringLiteral(".jpg"));
    if (jpeg.isEmpty() || path.isEmpty() || !AtomicFile::write(path, jpeg)) {
        if (!path.isEmpty())
            QFile::remove(path);
        return Result{Status::WriteFailed, {}, {}};
    }
    return Result{Status::Ok, path, picture.size()};
}

QString message(Status status)
{
    switch (status) {
    case Status::WrongType: return QString::fromUtf8(kWrongType);
    case Status::WriteFailed: return QString::fromUtf8(kWriteFailed);
    default: return QString();
    }
}

} // namespace PicturePrep
