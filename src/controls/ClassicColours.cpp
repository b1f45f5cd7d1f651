#include "controls/ClassicColours.h"

#include <QPalette>
#include <QWidget>
#include <array>

namespace wk::controls {

QColor classicColour(int number)
{
    static constexpr std::array<std::array<int, 3>, 16> rgb{{
        {0, 0, 0},
        {0, 0, 128},
        {0, 128, 0},
        {0, 128, 128},
        {128, 0, 0},
        {128, 0, 128},
        {128, 128, 0},
        {192, 192, 192},
        {128, 128, 128},
        {0, 0, 255},
        {0, 255, 0},
        {0, 255, 255},
        {255, 0, 0},
        {255, 0, 255},
        {255, 255, 0},
        {255, 255, 255},
    }};
    if (number < 0 || number > 15)
        return Qt::black;
    const auto& c = rgb[std::size_t(number)];
    return QColor(c[0], c[1], c[2]);
}

void setTextColour(QWidget* control, const QColor& colour)
{
    QPalette palette = control->palette();
    if (palette.color(QPalette::Active, QPalette::Text) == colour &&
        palette.color(QPalette::Inactive, QPalette::Text) == colour)
        return;
    palette.setColor(QPalette::Active, QPalette::Text, colour);
    palette.setColor(QPalette::Inactive, QPalette::Text, colour);
    control->setPalette(palette);
}

} // namespace wk::controls
