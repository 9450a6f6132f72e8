// Picture preparation for upload: a 4000 x 3000 JPEG prepared to 1024 x 768
// with the text logo, timed against ImageMagick's
//   convert in.jpg -resize 1024x768 -quality 90 out.jpg
// in the same run (when `convert` is installed; bench/setup_pictureprep.sh
// installs it), and 20 such pictures prepared at once on the worker pool, as
// one upload command of 20 pictures does. Prints milliseconds (medians).
#include "core/settings.h"
#include "imaging/jpegcodec.h"
#include "imaging/picturebatch.h"
#include "imaging/pictureprep.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QProcess>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

constexpr int kRepeats = 7;
constexpr int kBatch = 20;

// A photograph-like picture: smooth gradients with fine noise, so that the
// JPEG has the size and detail of a camera picture.
QImage photo(int w, int h)
{
    QImage img(w, h, QImage::Format_RGB888);
    QRandomGenerator random(7);
    for (int y = 0; y < h; ++y) {
        uchar *row = img.scanLine(y);
        for (int x = 0; x < w; ++x) {
            const int n = static_cast<int>(random.bounded(24)) - 12;
            row[x * 3] = static_cast<uchar>(qBound(0, x * 255 / w + n, 255));
            row[x * 3 + 1] = static_cast<uchar>(qBound(0, y * 255 / h + n, 255));
            row[x * 3 + 2] = static_cast<uchar>(qBound(0, 128 + ((x / 40 + y / 40) % 2) * 60 + n, 255));
        }
    }
    return img;
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

double timeMs(const std::function<void()> &work)
{
    QElapsedTimer clock;
    clock.start();
    work();
    return static_cast<double>(clock.nsecsElapsed()) / 1e6;
}

void removePrepared(const QString &folder)
{
    QDir dir(folder);
    for (const QString &name : dir.entryList({QStringLiteral("Vss*.jpg")}, QDir::Files))
        dir.remove(name);
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTemporaryDir dir;
    const QString folder = dir.path() + QLatin1Char('/');
    const QString input = dir.filePath(QStringLiteral("in.jpg"));
    QFile out(input);
    if (!out.open(QIODevice::WriteOnly) || out.write(JpegCodec::encode(photo(4000, 3000), 92)) <= 0)
        return 1;
    out.close();

    Settings settings;
    settings.tekstilogo = QStringLiteral("Myyjä Oy 2026");
    const PicturePrep::Options options = PicturePrep::optionsFor(3, settings, folder);   // 1024 x 1500 box

    std::vector<double> ours;
    QSize size;
    for (int i = 0; i < kRepeats; ++i) {
        ours.push_back(timeMs([&] { size = PicturePrep::pienennakuva2(input, options).size; }));
        removePrepared(folder);
    }
    std::printf("4000x3000 JPEG -> %dx%d with logo: %.1f ms (median of %d)\n", size.width(), size.height(),
                median(ours), kRepeats);

    // The Debian package's own program, not whatever stands in front of it on the path.
    QString convert = QStandardPaths::findExecutable(QStringLiteral("convert"), {QStringLiteral("/usr/bin")});
    if (convert.isEmpty())
        convert = QStandardPaths::findExecutable(QStringLiteral("convert"));
    if (convert.isEmpty()) {
        std::printf("ImageMagick convert: not installed (run bench/setup_pictureprep.sh)\n");
    } else {
        const QStringList args{input, QStringLiteral("-resize"), QStringLiteral("1024x768"),
                               QStringLiteral("-quality"), QStringLiteral("90"), dir.filePath(QStringLiteral("im.jpg"))};
        std::vector<double> theirs;
        for (int i = 0; i < kRepeats; ++i)
            theirs.push_back(timeMs([&] { QProcess::execute(convert, args); }));
        std::printf("ImageMagick convert -resize 1024x768 -quality 90: %.1f ms (median of %d)\n", median(theirs), kRepeats);
        std::printf("ratio: %.2f x ImageMagick's time (goal at most 0.50)\n", median(ours) / median(theirs));
    }

    QStringList files;
    for (int i = 0; i < kBatch; ++i) {
        const QString copy = dir.filePath(QStringLiteral("in%1.jpg").arg(i));
        QFile::copy(input, copy);
        files << copy;
    }
    PictureBatch batch;
    std::vector<double> parallel;
    for (int i = 0; i < 3; ++i) {
        parallel.push_back(timeMs([&] { batch.start(files, options); batch.wait(); }));
        removePrepared(folder);
    }
    const double oneByOne = timeMs([&] {
        for (const QString &f : files)
            PicturePrep::pienennakuva2(f, options);
    });
    removePrepared(folder);
    std::printf("%d pictures on %d worker threads: %.0f ms total (median of 3); one after another: %.0f ms\n",
                kBatch, QThread::idealThreadCount(), median(parallel), oneByOne);
    return 0;
}
