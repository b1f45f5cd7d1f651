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
    connect(parts_.TimeOn1, &QAbstractButton::toggled, this, &TimeLineSwitch::TimeOn1_Click);
    QScrollBar* year = parts_.VScroll1;
    connect(year, &QScrollBar::valueChanged, this, &TimeLineSwitch::VScroll1_Change);
    connect(year, &QScrollBar::sliderMoved, this, &TimeLineSwitch::VScroll1_Scroll);
}

void TimeLineSwitch::TimeOn1_Click()
{
    parts_.folderThumbnails = false; // the strip is filled from the entries, or emptied
    if (parts_.TimeOn1->isChecked()) {
        fillStrip();
        return;
    }
    skipStep([&] {
        parts_.TimeOn1->show();
        parts_.TimeOn1->update();
        for (int k = 1; k <= 7; ++k)
            parts_.Image[k]->clear();
        parts_.stripArrows.hideArrows();
    });
}

void TimeLineSwitch::fillStrip()
{
    const int lines = parts_.ListDB1->count();
    int i = 0;
    if (lines > 0) {
        i = std::max(parts_.ListDB1->currentRow(), 0);
        i = std::max(i - 3, 0);
    }
    std::array<QString, 8> pictures;
    const auto slotBookmark = [&](int line) {
        return line >= 0 && line < parts_.lineBookmarks.size() ? parts_.lineBookmarks[line] : QString();
    };
    if (slotBookmark(i).isEmpty())
        ++i;
    skipStep([&] { pictures[1] = parts_.entryLines.pictureOfLine(i); });
    parts_.stripBookmarks[1] = slotBookmark(i);
    parts_.stripFirstIndex = i;
    parts_.stripLastIndex = i;
    ++i;
    for (int k = 2; k <= 7; ++k) {
        if (i >= lines)
            break;
        if (slotBookmark(i).isEmpty() && ++i >= lines)
            break;
        skipStep([&] { pictures[size_t(k)] = parts_.entryLines.pictureOfLine(i); });
        parts_.stripBookmarks[size_t(k)] = slotBookmark(i);
        parts_.stripLastIndex = i;
        ++i;
    }
    parts_.TimeOn1->update();
    QList<controls::ImageControl*> slots;
    QStringList files;
    for (int k = 1; k <= 7; ++k) {
        parts_.Image[k]->show();
        slots << parts_.Image[k];
        files << pictures[size_t(k)];
    }
    controls::loadThumbnails(slots, files);
    parts_.CMDFWD->show();
    parts_.CMDREV->show();
}

void TimeLineSwitch::VScroll1_Scroll(int value)
{
    QScrollBar* year = parts_.VScroll1;
    if (value < kLowestYear + 1)
        year->setValue(kLowestYear);
    else if (value > kHighestYear - 1)
        year->setValue(kHighestYear);
    else
        parts_.Label8->setText(QString::number(value));
}

void TimeLineSwitch::countShownYear(int step)
{
    // A label that holds no year is left as it is; the year never goes below 0.
    bool ok = false;
    const int shown = parts_.Label8->text().trimmed().toInt(&ok);
    if (ok && shown + step >= 0)
        parts_.Label8->setText(QString::number(shown + step));
}

void TimeLineSwitch::VScroll1_Change()
{
    QScrollBar* year = parts_.VScroll1;
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
    parts_.Label8->setText(QString::number(value));
    skipStep([&] {
        const QDate today = parts_.clock.today();
        const QString base =
            dates::monthName(today.month()) + QStringLiteral("  ") + parts_.Label8->text().trimmed();
        const std::optional<QDate> shown = dates::parseDate(base);
        if (!shown)
            return;
        parts_.month.fillMonth(shown->month(), shown->year(), {.requery = false});
    });
    if (!parts_.Calstart1->isChecked()) {
        skipStep([&] {
            parts_.Image8->show();
            parts_.Calstart1->show();
            for (int i = 1; i <= 42; ++i)
                parts_.List1[size_t(i)]->hide();
            for (int k = 1; k <= 7; ++k)
                parts_.WeekdayLabel[size_t(k)]->hide();
            parts_.CALLABEL->hide();
            parts_.Image8->update();
            parts_.canvas.DrawFrameON(parts_.Image8, parts_.Image8, QStringLiteral("OUTWARD"),
                                      kOutwardMargin);
            parts_.canvas.DrawFrameON(parts_.Image8, parts_.Image8, QStringLiteral("INWARD"), kInwardMargin);
            parts_.Image8->update();
        });
    }
}

} // namespace wk::timeline
