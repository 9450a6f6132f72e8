#include "imaging/jpegcodec.h"

#include "imaging/exiforientation.h"
#include "imaging/shrinkrule.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <jpeglib.h>
#include <jerror.h>

namespace JpegCodec {

namespace {

constexpr long kLibraryMemoryLimit = 512L * 1024 * 1024;
constexpr int kApp1 = JPEG_APP0 + 1;
constexpr int kApp14 = JPEG_APP0 + 14;

// The library reports a fault by calling error_exit, which must not return:
// it jumps back to the guarded call. A truncated file is only a warning to
// the library (it pads the picture with grey); here it is a fault too.
struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf jump;
};

[[noreturn]] void errorExit(j_common_ptr cinfo)
{
    std::longjmp(reinterpret_cast<ErrorManager *>(cinfo->err)->jump, 1);
}

void emitMessage(j_common_ptr cinfo, int level)
{
    if (level < 0 && cinfo->err->msg_code == JWRN_JPEG_EOF)
        errorExit(cinfo);
}

void silentOutput(j_common_ptr) {}

void installErrors(ErrorManager &err)
{
    jpeg_std_error(&err.base);
    err.base.error_exit = errorExit;
    err.base.emit_message = emitMessage;
    err.base.output_message = silentOutput;
}

// What a guarded decode works with; only plain data lives in the guarded
// function, so a jump out of the library skips no destructor.
struct DecodeJob {
    jpeg_decompress_struct cinfo;
    ErrorManager err;
    const QByteArray *bytes;
    QSize limit;
    qint64 maxPixels;
    int orientation;
    bool adobeInverted;
    QImage *out;
    QSize *original;
    JSAMPLE *cmykRow;
};

void readMarkers(DecodeJob &job)
{
    job.orientation = 1;
    job.adobeInverted = false;
    for (jpeg_saved_marker_ptr m = job.cinfo.marker_list; m; m = m->next) {
        const QByteArray payload = QByteArray::fromRawData(reinterpret_cast<const char *>(m->data),
                                                           static_cast<int>(m->data_length));
        if (m->marker == kApp1 && job.orientation == 1)
            job.orientation = ExifOrientation::fromApp1(payload);
        else if (m->marker == kApp14 && payload.startsWith("Adobe"))
            job.adobeInverted = true;
    }
}

// CMYK as Adobe writes it (inverted) or plain, to RGB.
void cmykRowToRgb(const JSAMPLE *cmyk, uchar *rgb, int width, bool inverted)
{
    for (int x = 0; x < width; ++x, cmyk += 4, rgb += 3) {
        const int k = inverted ? cmyk[3] : 255 - cmyk[3];
        for (int c = 0; c < 3; ++c) {
            const int v = inverted ? cmyk[c] : 255 - cmyk[c];
            rgb[c] = static_cast<uchar>((v * k + 127) / 255);
        }
    }
}

void chooseScale(DecodeJob &job)
{
    const QSize stored(static_cast<int>(job.cinfo.image_width), static_cast<int>(job.cinfo.image_height));
    const bool swap = ExifOrientation::swapsSides(job.orientation);
    const QSize upright = swap ? stored.transposed() : stored;
    *job.original = upright;
    if (job.limit.isEmpty())
        return;
    const QSize target = ShrinkRule::targetSize(upright, job.limit);
    job.cinfo.scale_num = 1;
    job.cinfo.scale_denom = static_cast<unsigned>(scaleDenominator(stored, swap ? target.transposed() : target));
}

bool readPixels(DecodeJob &job)
{
    const bool cmyk = job.cinfo.jpeg_color_space == JCS_CMYK || job.cinfo.jpeg_color_space == JCS_YCCK;
    job.cinfo.out_color_space = cmyk ? JCS_CMYK : JCS_RGB;
    jpeg_start_decompress(&job.cinfo);
    const int w = static_cast<int>(job.cinfo.output_width);
    const int h = static_cast<int>(job.cinfo.output_height);
    *job.out = QImage(w, h, QImage::Format_RGB888);
    if (job.out->isNull())
        return false;
    job.cmykRow = cmyk ? static_cast<JSAMPLE *>(std::malloc(static_cast<size_t>(w) * 4)) : nullptr;
    if (cmyk && !job.cmykRow)
        return false;
    while (job.cinfo.output_scanline < job.cinfo.output_height) {
        uchar *line = job.out->scanLine(static_cast<int>(job.cinfo.output_scanline));
        JSAMPROW row = cmyk ? job.cmykRow : line;
        jpeg_read_scanlines(&job.cinfo, &row, 1);
        if (cmyk)
            cmykRowToRgb(job.cmykRow, line, w, job.adobeInverted);
    }
    jpeg_finish_decompress(&job.cinfo);
    return true;
}

bool runDecode(DecodeJob &job)
{
    job.cinfo.err = &job.err.base;
    installErrors(job.err);
    if (setjmp(job.err.jump)) {
        jpeg_destroy_decompress(&job.cinfo);
        return false;
    }
    jpeg_create_decompress(&job.cinfo);
    job.cinfo.mem->max_memory_to_use = kLibraryMemoryLimit;
    jpeg_mem_src(&job.cinfo, reinterpret_cast<const unsigned char *>(job.bytes->constData()),
                 static_cast<unsigned long>(job.bytes->size()));
    jpeg_save_markers(&job.cinfo, kApp1, 0xFFFF);
    jpeg_save_markers(&job.cinfo, kApp14, 0xFFFF);
    jpeg_read_header(&job.cinfo, TRUE);
    const qint64 pixels = static_cast<qint64>(job.cinfo.image_width) * job.cinfo.image_height;
    if (pixels <= 0 || pixels > job.maxPixels) {
        jpeg_destroy_decompress(&job.cinfo);
        return false;
    }
    readMarkers(job);
    chooseScale(job);
    const bool ok = readPixels(job);
    jpeg_destroy_decompress(&job.cinfo);
    return ok;
}

} // namespace

QSize scaledSize(QSize size, int denom)
{
    return QSize((size.width() + denom - 1) / denom, (size.height() + denom - 1) / denom);
}

int scaleDenominator(QSize size, QSize target)
{
    for (int denom : {8, 4, 2}) {
        const QSize scaled = scaledSize(size, denom);
        if (scaled.width() >= target.width() && scaled.height() >= target.height())
            return denom;
    }
    return 1;
}

Decoded decode(const QByteArray &bytes, QSize limit, qint64 maxPixels)
{
    Decoded result;
    QImage image;
    auto *job = new DecodeJob;
    std::memset(static_cast<void *>(job), 0, sizeof(DecodeJob));
    job->bytes = &bytes;
    job->limit = limit;
    job->maxPixels = maxPixels;
    job->out = &image;
    job->original = &result.original;
    const bool ok = !bytes.isEmpty() && runDecode(*job);
    const int orientation = job->orientation;
    std::free(job->cmykRow);
    delete job;
    if (!ok || image.isNull())
        return Decoded{};
    result.image = ExifOrientation::applied(image, orientation);
    return result;
}

namespace {

struct EncodeJob {
    jpeg_compress_struct cinfo;
    ErrorManager err;
    const QImage *image;
    int quality;
    unsigned char *buffer;
    unsigned long size;
};

bool runEncode(EncodeJob &job)
{
    job.cinfo.err = &job.err.base;
    installErrors(job.err);
    if (setjmp(job.err.jump)) {
        jpeg_destroy_compress(&job.cinfo);
        return false;
    }
    jpeg_create_compress(&job.cinfo);
    jpeg_mem_dest(&job.cinfo, &job.buffer, &job.size);
    job.cinfo.image_width = static_cast<JDIMENSION>(job.image->width());
    job.cinfo.image_height = static_cast<JDIMENSION>(job.image->height());
    job.cinfo.input_components = 3;
    job.cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&job.cinfo);
    jpeg_set_quality(&job.cinfo, job.quality, TRUE);
    jpeg_start_compress(&job.cinfo, TRUE);
    while (job.cinfo.next_scanline < job.cinfo.image_height) {
        JSAMPROW row = const_cast<JSAMPLE *>(job.image->constScanLine(static_cast<int>(job.cinfo.next_scanline)));
        jpeg_write_scanlines(&job.cinfo, &row, 1);
    }
    jpeg_finish_compress(&job.cinfo);
    jpeg_destroy_compress(&job.cinfo);
    return true;
}

} // namespace

QByteArray encode(const QImage &rgb888, int quality)
{
    if (rgb888.isNull() || rgb888.format() != QImage::Format_RGB888)
        return {};
    auto *job = new EncodeJob;
    std::memset(static_cast<void *>(job), 0, sizeof(EncodeJob));
    job->image = &rgb888;
    job->quality = quality;
    const bool ok = runEncode(*job);
    QByteArray out;
    if (ok && job->buffer)
        out = QByteArray(reinterpret_cast<const char *>(job->buffer), static_cast<int>(job->size));
    std::free(job->buffer);
    delete job;
    return out;
}

} // namespace JpegCodec
