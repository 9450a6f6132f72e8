#include "imaging/boxfilter.h"

#include <cmath>
#include <vector>

namespace BoxFilter {

namespace {

struct Tap {
    int source;
    quint32 weight;
};

// For each target index, the source indexes it covers with weights that sum
// to exactly `one`.
struct Taps {
    std::vector<int> first;   // offset of each target's taps in `taps`; size n + 1
    std::vector<Tap> taps;
};

Taps makeTaps(int sourceSize, int targetSize, quint32 one)
{
    Taps t;
    t.first.reserve(static_cast<size_t>(targetSize) + 1);
    const double scale = static_cast<double>(sourceSize) / targetSize;
    for (int i = 0; i < targetSize; ++i) {
        t.first.push_back(static_cast<int>(t.taps.size()));
        const double start = i * scale;
        const double end = qMin((i + 1) * scale, static_cast<double>(sourceSize));
        const int from = static_cast<int>(std::floor(start));
        const int to = qMin(sourceSize, static_cast<int>(std::ceil(end)));
        quint32 total = 0;
        size_t biggest = t.taps.size();
        for (int s = from; s < to; ++s) {
            const double covered = qMin(end, s + 1.0) - qMax(start, static_cast<double>(s));
            const auto w = static_cast<quint32>(std::lround(covered / scale * one));
            if (w == 0)
                continue;
            if (biggest == t.taps.size() || w > t.taps[biggest].weight)
                biggest = t.taps.size();
            t.taps.push_back(Tap{s, w});
            total += w;
        }
        if (biggest == t.taps.size())
            t.taps.push_back(Tap{qMin(from, sourceSize - 1), 0});
        t.taps[biggest].weight += one - total;   // rounding remainder to the largest share
    }
    t.first.push_back(static_cast<int>(t.taps.size()));
    return t;
}

constexpr quint32 kRowOne = 1u << 16;      // horizontal weights
constexpr quint32 kColumnOne = 1u << 14;   // vertical weights

// One source row to `width` values of 8.8 fixed point per component.
void shrinkRow(const uchar *src, const Taps &h, int width, quint16 *out)
{
    for (int x = 0; x < width; ++x) {
        quint32 r = 0, g = 0, b = 0;
        for (int k = h.first[x]; k < h.first[x + 1]; ++k) {
            const uchar *p = src + h.taps[k].source * 3;
            const quint32 w = h.taps[k].weight;
            r += p[0] * w;
            g += p[1] * w;
            b += p[2] * w;
        }
        out[x * 3] = static_cast<quint16>((r + 128) >> 8);
        out[x * 3 + 1] = static_cast<quint16>((g + 128) >> 8);
        out[x * 3 + 2] = static_cast<quint16>((b + 128) >> 8);
    }
}

} // namespace

bool muuta_kuvan_kokoa(int width, int height, QImage &bitmap)
{
    if (bitmap.format() != QImage::Format_RGB888 || width <= 0 || height <= 0
        || width > bitmap.width() || height > bitmap.height())
        return false;
    if (width == bitmap.width() && height == bitmap.height())
        return true;
    const Taps h = makeTaps(bitmap.width(), width, kRowOne);
    const Taps v = makeTaps(bitmap.height(), height, kColumnOne);
    QImage target(width, height, QImage::Format_RGB888);
    if (target.isNull())
        return false;
    const size_t rowValues = static_cast<size_t>(width) * 3;
    std::vector<quint16> rowCache(rowValues);
    std::vector<quint32> sum(rowValues);
    int cachedRow = -1;
    for (int y = 0; y < height; ++y) {
        std::fill(sum.begin(), sum.end(), 0u);
        for (int k = v.first[y]; k < v.first[y + 1]; ++k) {
            const int source = v.taps[k].source;
            if (source != cachedRow) {
                shrinkRow(bitmap.constScanLine(source), h, width, rowCache.data());
                cachedRow = source;
            }
            const quint32 w = v.taps[k].weight;
            for (size_t i = 0; i < rowValues; ++i)
                sum[i] += rowCache[i] * w;
        }
        uchar *out = target.scanLine(y);
        for (size_t i = 0; i < rowValues; ++i)
            out[i] = static_cast<uchar>(qMin<quint32>(255, (sum[i] + (1u << 21)) >> 22));
    }
    bitmap = target;
    return true;
}

} // namespace BoxFilter
