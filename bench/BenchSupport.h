#pragma once
// What every benchmark program shares: no question is ever asked, the offscreen platform unless
// another one is chosen, and the median of a few timed runs.
#include "controls/Prompts.h"

#include <QElapsedTimer>
#include <algorithm>
#include <vector>

namespace wk::bench {

class SilentPrompts : public controls::Prompts {
public:
    bool askYesNo(const QString&, const QString&, bool) override { return false; }
    void tell(const QString&, const QString&, controls::MessageIcon) override {}
    QString chooseOpenFile(const controls::FileDialogRequest&) override { return {}; }
    QString chooseSaveFile(const controls::FileDialogRequest&) override { return {}; }
};

// Call before the QApplication is made.
inline void useOffscreenUnlessSet()
{
    if (qgetenv("QT_QPA_PLATFORM").isEmpty())
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

template <class F>
double medianMs(int runs, F&& f)
{
    std::vector<double> times;
    QElapsedTimer timer;
    for (int r = 0; r < runs; ++r) {
        timer.start();
        f();
        times.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

} // namespace wk::bench
