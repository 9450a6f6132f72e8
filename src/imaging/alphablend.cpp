#include "imaging/alphablend.h"

namespace AlphaBlend {

std::array<int, 511> table(int alpha)
{
    std::array<int, 511> t{};
    for (int d = -255; d <= 255; ++d)
        t[static_cast<size_t>(d + 255)] = (alpha * d) >> 8;   // arithmetic shift: floor
    return t;
}

int alphaForPercent(int percent)
{
    const int n = 255 * qBound(0, percent, 100);
    int q = n / 100;
    const int r = n % 100;
    if (r > 50 || (r == 50 && q % 2 == 1))
        ++q;
    return q;
}

bool alpha_blend(QImage &picture, const QImage &overlay, int x, int y, int alpha, QString *error)
{
    if (picture.format() != QImage::Format_RGB888 || overlay.format() != QImage::Format_RGB888) {
        if (error)
            *error = QStringLiteral("Bitmaps must be 24 bit");
        return false;
    }
    const int left = qMax(0, x);
    const int top = qMax(0, y);
    const int right = qMin(picture.width() - 1, x + overlay.width() - 1);
    const int bottom = qMin(picture.height() - 1, y + overlay.height() - 1);
    if (overlay.isNull() || left > right || top > bottom)
        return true;
    const uchar *key = overlay.constScanLine(overlay.height() - 1);
    const uchar k0 = key[0], k1 = key[1], k2 = key[2];
    const std::array<int, 511> t = table(alpha);
    const int *lookup = t.data() + 255;
    for (int row = top; row <= bottom; ++row) {
        uchar *p = picture.scanLine(row) + left * 3;
        const uchar *o = overlay.constScanLine(row - y) + (left - x) * 3;
        for (int col = left; col <= right; ++col, p += 3, o += 3) {
            if (o[0] == k0 && o[1] == k1 && o[2] == k2)
                continue;
            p[0] = static_cast<uchar>(o[0] + lookup[p[0] - o[0]]);
            p[1] = static_cast<uchar>(o[1] + lookup[p[1] - o[1]]);
            p[2] = static_cast<uchar>(o[2] + lookup[p[2] - o[2]]);
        }
    }
    return true;
}

} // namespace AlphaBlend
