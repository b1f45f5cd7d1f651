#include "browse/ViewerZoom.h"

#include <algorithm>
#include <cmath>

namespace wk::browse {

namespace {
constexpr double kSmallest = 1.0 / 8;
constexpr double kLargest = 8;
constexpr int kLongestSide = 32767; // the scroll bars' 16-bit values
} // namespace

double fitZoom(QSize picture, QSize room)
{
    if (picture.isEmpty() || room.isEmpty())
        return 1;
    return std::min(double(room.width()) / picture.width(), double(room.height()) / picture.height());
}

double boundedZoom(double factor, QSize picture, QSize room)
{
    if (picture.isEmpty())
        return 1;
    const double longest = double(kLongestSide) / std::max(picture.width(), picture.height());
    const double smallest = std::min(kSmallest, fitZoom(picture, room));
    return std::clamp(factor, std::min(smallest, longest), std::min(kLargest, longest));
}

QSize zoomedSize(QSize picture, double factor)
{
    if (picture.isEmpty())
        return {0, 0};
    return {std::max(1, int(std::lround(picture.width() * factor))),
            std::max(1, int(std::lround(picture.height() * factor)))};
}

} // namespace wk::browse
