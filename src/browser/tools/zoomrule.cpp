#include "browser/tools/zoomrule.h"
#include <algorithm>

namespace {
constexpr int kNormal = 100;
constexpr int kStep = 10;
constexpr int kLowest = 10;
constexpr int kHighest = 1000;
constexpr double kEngineLowest = 0.25;
constexpr double kEngineHighest = 5.0;
}

int ZoomRule::normalised(int percent)
{
    return (percent < kLowest || percent > kHighest) ? kNormal : percent;
}

int ZoomRule::requested(int storedPercent, Step step)
{
    const int base = storedPercent < 1 ? kNormal : storedPercent;
    switch (step) {
    case Step::Normal:
        return kNormal;
    case Step::Larger:
        return base + kStep;
    case Step::Smaller:
        return base - kStep;
    }
    return kNormal;
}

double ZoomRule::engineFactor(int percent)
{
    return std::clamp(percent / 100.0, kEngineLowest, kEngineHighest);
}
