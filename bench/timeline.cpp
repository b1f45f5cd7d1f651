// The timeline on large scrapbooks: "List by Date" (the re-query and the whole listing), a
// click on a listing line, the TimeLine switch filling the strip, and one strip arrow step.
// Usage: bench_timeline [entries...]   (default 10000 100000)
#include "BenchSupport.h"
#include "LargeScrapbook.h"

#include "controls/ImageControl.h"
#include "controls/PictureButton.h"
#include "controls/LineList.h"
#include "shell/MainWindow.h"
#include "strip/StripStepping.h"
#include "timeline/TimelineListing.h"

#include <QApplication>
#include <QTemporaryDir>
#include <cstdio>

int main(int argc, char** argv)
{
    wk::bench::prepareBenchmarkProcess();
    QApplication app(argc, argv);
    const QList<int> sizes = wk::bench::sizesFromArgs(argc, argv, {10000, 100000});

    wk::bench::SilentPrompts prompts;
    const wk::store::SystemClock clock;
    for (int entries : sizes) {
        QTemporaryDir dir;
        std::unique_ptr<wk::shell::MainWindow> form =
            wk::bench::startOnLargeScrapbook(dir, entries, 20, QSize(640, 480), prompts, clock);

        // After a write the entry set really runs again; unchanged it only moves to its start.
        const double listingChanged = wk::bench::medianMs(5, [&] {
            form->entries().moveFirst();
            form->entries().edit();
            form->entries().setField("LOG", QStringLiteral("x"));
            form->entries().update();
            form->widgets().listByDateButton->click();
        });
        const double listingUnchanged =
            wk::bench::medianMs(5, [&] { form->widgets().listByDateButton->click(); });
        const int lines = form->widgets().dateList->count();
        const double buildOnly = wk::bench::medianMs(5, [&] { wk::timeline::buildListing(form->entries()); });
        int line = lines / 2;
        const double lineClick =
            wk::bench::medianMs(11, [&] { form->widgets().dateList->setCurrentRow(line++); });

        form->widgets().mainScreenButton->click();
        form->widgets().entryList->setCurrentRow(entries / 2);
        const double switchOn = wk::bench::medianMs(5, [&] {
            form->widgets().timelineButton->setChecked(true);
            form->widgets().timelineButton->setChecked(false);
        });
        form->widgets().timelineButton->setChecked(true);
        int step = 0;
        const double arrowStep = wk::bench::medianMs(21, [&] {
            if (step++ % 2 == 0)
                form->stripStepping().stepStripForward();
            else
                form->stripStepping().stepStripBack();
        });

        std::printf("%7d entries: List by Date %7.1f ms after a write, %7.1f ms unchanged (%d lines, built "
                    "in %.1f ms); "
                    "line click %5.2f ms; TimeLine on and off %6.2f ms; strip arrow step %5.2f ms\n",
                    entries, listingChanged, listingUnchanged, lines, buildOnly, lineClick, switchOn,
                    arrowStep);
        std::fflush(stdout);
        form.reset();
    }
    return 0;
}
