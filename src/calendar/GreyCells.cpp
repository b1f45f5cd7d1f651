#include "calendar/GreyCells.h"

namespace wk::calendar {

int monthOffsetOfCell(int index, int day)
{
    if (index <= 7 && day > 20)
        return -1;
    if (index >= 29 && day < 20)
        return 1;
    return 0;
}

int monthOffsetOfDropCell(int index, int day)
{
    if (index < 8 && day > 20)
        return -1;
    if (index > 20 && day < 13)
        return 1;
    return 0;
}

bool greyAfterDragLeaves(int index, int day) { return (index < 7 && day > 20) || (index > 20 && day < 10); }

} // namespace wk::calendar
