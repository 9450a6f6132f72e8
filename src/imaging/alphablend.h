#pragma once
// Blending a logo overlay onto a picture (`alpha_blend`) on raw 24-bit rows.
// Overlay pixels of the overlay's transparent colour (its bottom-left pixel)
// leave the picture as it is; the others give O + floor(alpha * (P - O) / 256)
// per component, looked up in a 511-entry table: alpha 0 puts the overlay's
// colour, 255 leaves the picture all but unchanged.
#include <QImage>
#include <QString>
#include <array>

namespace AlphaBlend {

// floor(alpha * d / 256) for d = -255..255, at index d + 255.
std::array<int, 511> table(int alpha);

// Blends `overlay` onto `picture` with its top-left corner at (x, y),
// clipped to the picture. Both must be RGB888; otherwise `error` gets
// "Bitmaps must be 24 bit" and false is returned.
bool alpha_blend(QImage &picture, const QImage &overlay, int x, int y, int alpha,
                 QString *error = nullptr);

// 255 x percent / 100 rounded to the nearest integer, halves to even.
int alphaForPercent(int percent);

}
