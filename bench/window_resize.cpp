// One step of a window resize at 1920x1080: the main window lays its controls out again (no
// database access, no decoding) next to the raw limit, an empty widget's resize step, measured
// in the same run. Usage: window_resize [entries]   (default 10000)
#include "BenchSupport.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>

namespace {

constexpr int kSteps = 200;

// Median time of one resize step of `window` between two sizes near `size`, in milliseconds.
double resizeStepMs(QWidget& window, QSize size)
{
    std::vector<double> steps;
    QElapsedTimer timer;
    for (int i = 0; i < kSteps; ++i) {
        const QSize next = i % 2 ? size : size - QSize(24, 16); // a drag moves a few pixels a step
        timer.start();
        window.resize(next);
        steps.push_back(timer.nsecsElapsed() / 1e6);
    }
    std::nth_element(steps.begin(), steps.begin() + kSteps / 2, steps.end());
    return steps[kSteps / 2];
}

// The least any layout can cost: as many plain widgets as the main window has controls, each
// given a new rectangle on every resize.
class PlainPlacement : public QWidget {
public:
    explicit PlainPlacement(int controls)
    {
        for (int i = 0; i < controls; ++i)
            children_.push_back(new QWidget(this));
    }

protected:
    void resizeEvent(QResizeEvent*) override
    {
        const int n = int(children_.size());
        for (int i = 0; i < n; ++i)
            children_[size_t(i)]->setGeometry(width() * i / n, height() * i / n, width() / 20, height() / 20);
    }

private:
    std::vector<QWidget*> children_;
};

} // namespace

int main(int argc, char** argv)
{
    // A 1920x1080 screen for the offscreen platform.
    QTemporaryDir configDir;
    if (!wk::bench::useFullHdScreen(configDir))
        return 1;
    wk::bench::prepareBenchmarkProcess();
    QApplication app(argc, argv);
    const int entries = wk::bench::sizesFromArgs(argc, argv, {10000}).first();

    wk::bench::SilentPrompts prompts;
    const wk::store::SystemClock clock;
    QTemporaryDir dir;
    std::unique_ptr<wk::shell::MainWindow> form =
        wk::bench::startOnLargeScrapbook(dir, entries, 20, QSize(4000, 3000), prompts, clock);
    const QSize full(1920, 1080);
    form->resize(full);
    QApplication::processEvents();

    QWidget empty;
    empty.show();
    empty.resize(full);
    const int controls = int(form->findChildren<QWidget*>().size());
    PlainPlacement plain(controls);
    plain.show();
    plain.resize(full);
    QApplication::processEvents();

    const double window = resizeStepMs(*form, full);
    const double raw = resizeStepMs(empty, full);
    const double placing = resizeStepMs(plain, full);
    std::printf("resize step at 1920x1080, %d entries: main window %.3f ms; empty widget %.3f ms "
                "(raw limit), ratio %.0fx; %d plain widgets re-placed %.3f ms, ratio %.1fx\n",
                entries, window, raw, window / raw, controls, placing, window / placing);
    return 0;
}
