#include "contracts/StripState.h"
#include "timeline/TimeLineSwitch.h"

#include "contracts/EntryLines.h"
#include "contracts/MonthView.h"
#include "contracts/StripArrows.h"
#include "controls/FrameCanvas.h"
#include "controls/ImageControl.h"
#include "controls/ParallelDecode.h"
#include "controls/PictureButton.h"
#include "controls/Steps.h"
#include "store/Clock.h"
#include "store/DateRules.h"

#include <QLabel>
#include "controls/LineBookmarks.h"
#include "controls/LineList.h"
#include <QListWidget>
#include <QScrollBar>
#include <array>

namespace wk::timeline {

using controls::skipStep;

namespace {
constexpr int kLowestYear = 1701;   // the scroller's value is pinned here ...
constexpr int kHighestYear = 2099;  // ... and here while the year label counts on
constexpr int kOutwardMargin = 150; // the two frames around the big picture, in twips
constexpr int kInwardMargin = 50;
} // namespace

TimeLineSwitch::TimeLineSwitch(const TimeLineSwitchParts& parts) : parts_(parts)
{
    // toggled: setting the switch from code (the filters switch it off) runs it as well.
    connect(parts_.timelineButton, &QAbstractButton::toggled, this, &TimeLineSwitch::toggleTimeline);
    QScrollBar* year = parts_.yearScroller;
    connect(year, &QScrollBar::valueChanged, this, &TimeLineSwitch::showScrolledYear);
    connect(year, &QScrollBar::sliderMoved, this, &TimeLineSwitch::followYearDrag);
}

void TimeLineSwitch::toggleTimeline()
{
    parts_.strip.setShowsFolder(false); // the strip is filled from the entries, or emptied
    if (parts_.timelineButton->isChecked()) {
        fillStrip();
        return;
    }
    skipStep([&] {
        parts_.timelineButton->show();
        parts_.timelineButton->update();
        for (int k = 1; k <= 7; ++k)
            parts_.stripSlots[k]->clear();
        parts_.stripArrows.hideArrows();
    });
}

void TimeLineSwitch::fillStrip()
{
    const int lines = parts_.entryList->count();
    int i = 0;
    if (lines > 0) {
        i = std::max(parts_.entryList->currentRow(), 0);
        i = std::max(i - 3, 0);
    }
    std::array<QString, 8> pictures;
    const auto slotBookmark = [&](int line) {
        return line >= 0 && line < parts_.lineBookmarks.size() ? parts_.lineBookmarks[line] : QString();
    };
    if (slotBookmark(i).isEmpty())
        ++i;
    skipStep([&] { pictures[1] = parts_.entryLines.pictureOfLine(i); });
    parts_.strip.slot(1) = slotBookmark(i);
    parts_.strip.firstLine = i;
    parts_.strip.lastLine = i;
    ++i;
    for (int k = 2; k <= 7; ++k) {
        if (i >= lines)
            break;
        if (slotBookmark(i).isEmpty() && ++i >= lines)
            break;
        skipStep([&] { pictures[size_t(k)] = parts_.entryLines.pictureOfLine(i); });
        parts_.strip.slot(k) = slotBookmark(i);
        parts_.strip.lastLine = i;
        ++i;
    }
    parts_.timelineButton->update();
    QList<controls::ImageControl*> slots;
    QStringList files;
    for (int k = 1; k <= 7; ++k) {
        parts_.stripSlots[k]->show();
        slots << parts_.stripSlots[k];
        files << pictures[size_t(k)];
    }
    controls::loadThumbnails(slots, files);
    parts_.forwardArrow->show();
    parts_.backArrow->show();
}

void TimeLineSwitch::followYearDrag(int value)
{
    QScrollBar* year = parts_.yearScroller;
    if (value < kLowestYear + 1)
        year->setValue(kLowestYear);
    else if (value > kHighestYear - 1)
        year->setValue(kHighestYear);
    else
        parts_.month.showYear(value);
}

void TimeLineSwitch::countShownYear(int step)
{
    // Before any year is shown there is nothing to count from; the year never goes below 0.
    const std::optional<int> shown = parts_.month.shownYear();
    if (shown && *shown + step >= 0)
        parts_.month.showYear(*shown + step);
}

void TimeLineSwitch::showScrolledYear()
{
    QScrollBar* year = parts_.yearScroller;
    const int value = year->value();
    if (value < kLowestYear + 1) {
        countShownYear(-1);
        year->setValue(kLowestYear);
        return;
    }
    if (value > kHighestYear - 1) {
        countShownYear(+1);
        year->setValue(kHighestYear);
        return;
    }
    parts_.month.showYear(value);
    skipStep([&] {
        const QDate today = parts_.clock.today();
        const QString base = dates::monthName(today.month()) + QStringLiteral("  ") + QString::number(value);
        const std::optional<QDate> shown = dates::parseDate(base);
        if (!shown)
            return;
        parts_.month.fillMonth(shown->month(), shown->year(), {.requery = false});
    });
    if (!parts_.calendarButton->isChecked()) {
        skipStep([&] {
            parts_.bigImage->show();
            parts_.calendarButton->show();
            for (int i = 1; i <= 42; ++i)
                parts_.dayCells[size_t(i)]->hide();
            for (int k = 1; k <= 7; ++k)
                parts_.weekdayLabels[size_t(k)]->hide();
            parts_.monthLabel->hide();
            parts_.bigImage->update();
            parts_.canvas.DrawFrameON(parts_.bigImage, parts_.bigImage, QStringLiteral("OUTWARD"),
                                      kOutwardMargin);
            parts_.canvas.DrawFrameON(parts_.bigImage, parts_.bigImage, QStringLiteral("INWARD"),
                                      kInwardMargin);
            parts_.bigImage->update();
        });
    }
}

} // namespace wk::timeline
