#pragma once
// How far the enlarged viewer zooms: a factor on the decoded picture's size. Steps multiply or
// divide it by 1.25; it stays between 1/8 and 8, lower still when that is what fitting the whole
// picture needs, and never so high that the shown picture outgrows the 16-bit scroll values.
#include <QSize>

namespace wk::browse {

inline constexpr double kZoomStep = 1.25;

// The factor at which `picture` just fits `room`, shape kept (1 for an empty picture or room).
double fitZoom(QSize picture, QSize room);

// `factor` brought within the bounds for `picture` shown in `room`.
double boundedZoom(double factor, QSize picture, QSize room);

// The size `picture` is shown at for `factor`: whole pixels, at least one a side when not empty.
QSize zoomedSize(QSize picture, double factor);

} // namespace wk::browse
