#pragma once
// The program's error rule: most handlers skip a step that fails and go on with the next one.
// A handler is written as a sequence of skipStep(...) calls. Only the store's, the picture
// loader's and the standard library's exceptions are swallowed; nothing crosses a Qt signal.
#include <functional>

namespace wk::controls {

// Runs `step`; returns false (and swallows the failure) when it threw.
bool skipStep(const std::function<void()>& step);

} // namespace wk::controls
