#pragma once
// The EXIF orientation a camera or phone records instead of turning the
// pixels: 1 upright, 2..8 the mirrorings and quarter turns of the EXIF
// standard. Phone pictures must not come out sideways.
#include <QByteArray>
#include <QImage>

namespace ExifOrientation {
// The orientation in an APP1 "Exif" segment's payload; 1 when there is none
// or the segment is malformed.
int fromApp1(const QByteArray &payload);
// True when the orientation swaps width and height (5..8).
bool swapsSides(int orientation);
// The picture turned upright.
QImage applied(const QImage &image, int orientation);
}
