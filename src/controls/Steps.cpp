#include "controls/Steps.h"

#include <exception>

namespace wk::controls {

bool skipStep(const std::function<void()>& step)
{
    try {
        step();
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

} // namespace wk::controls
