#include "controls/ClassicColours.h"

#include <array>

namespace wk::controls {

QColor classicColour(int number)
{
    static constexpr std::array<std::array<int, 3>, 16> rgb{{
        {0, 0, 0}, {0, 0, 128}, {0, 128, 0}, {0, 128, 128},
        {128, 0, 0}, {128, 0, 128}, {128, 128, 0}, {192, 192, 192},
        {128, 128, 128}, {0, 0, 255}, {0, 255, 0}, {0, 255, 255},
        {255, 0, 0}, {255, 0, 255}, {255, 255, 0}, {255, 255, 255},
    }};
    if (number < 0 || number > 15)
        return Qt::black;
    const auto& c = rgb[std::size_t(number)];
    return QColor(c[0], c[1], c[2]);
}

} // namespace wk::controls
