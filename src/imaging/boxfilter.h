#pragma once
// Shrinking by area averaging (`muuta_kuvan_kokoa`): every target pixel is
// the average of the source pixels it covers, partly covered ones weighted by
// the covered part. Integer arithmetic per pixel; the weights are worked out
// once per call.
#include <QImage>

namespace BoxFilter {
// Resamples the RGB888 picture in place to width x height. Only shrinking is
// done: a target larger than the picture on either side leaves it unchanged
// and returns false, as does a picture of another format.
bool muuta_kuvan_kokoa(int width, int height, QImage &bitmap);
}
