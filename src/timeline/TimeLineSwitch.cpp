#include "timeline/TimeLineSwitch.h"

#include "calendar/MonthCalendar.h"
#include "controls/ImageControl.h"
#include "controls/PictureButton.h"
#include "controls/Steps.h"
#include "shell/Mtform1.h"
#include "store/DateRules.h"
#include "strip/StripSlots.h"

#include <QLabel>
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

TimeLineSwitch::TimeLineSwitch(shell::Mtform1& form) : QObject(&form), form_(form)
{
    // toggled: setting the switch from code (the filters switch it off) runs it as well.
    connect(form_.TimeOn1, &QAbstractButton::toggled, this, &TimeLineSwitch::TimeOn1_Click);
    QScrollBar* year = form_.VScroll1;
    connect(year, &QScrollBar::valueChanged, this, &TimeLineSwitch::VScroll1_Change);
    connect(year, &QScrollBar::sliderMoved, this, &TimeLineSwitch::VScroll1_Scroll);
}

void TimeLineSwitch::TimeOn1_Click()
{
    form_.folderThumbnails = false; // the strip is filled from the entries, or emptied
    if (form_.TimeOn1->isChecked()) {
        fillStrip();
        return;
    }
    skipStep([&] {
        form_.TimeOn1->show();
        form_.TimeOn1->update();
        for (int k = 1; k <= 7; ++k)
            form_.Image[k]->clear();
        strip::hideArrows(form_);
    });
}

void TimeLineSwitch::fillStrip()
{
    const int lines = form_.ListDB1->count();
    int i = 0;
    if (lines > 0) {
        i = std::max(form_.ListDB1->currentRow(), 0);
        i = std::max(i - 3, 0);
    }
    std::array<QString, 8> pictures;
    const auto slotBookmark = [&](int line) {
        return line >= 0 && line < form_.lineBookmarks.size() ? form_.lineBookmarks[line] : QString();
    };
    if (slotBookmark(i).isEmpty())
        ++i;
    skipStep([&] { pictures[1] = strip::pictureOfLine(form_, i); });
    form_.stripBookmarks[1] = slotBookmark(i);
    form_.stripFirstIndex = i;
    form_.stripLastIndex = i;
    ++i;
    for (int k = 2; k <= 7; ++k) {
        if (i >= lines)
            break;
        if (slotBookmark(i).isEmpty() && ++i >= lines)
            break;
        skipStep([&] { pictures[size_t(k)] = strip::pictureOfLine(form_, i); });
        form_.stripBookmarks[size_t(k)] = slotBookmark(i);
        form_.stripLastIndex = i;
        ++i;
    }
    form_.TimeOn1->update();
    for (int k = 1; k <= 7; ++k) {
        form_.Image[k]->show();
        strip::loadSlot(form_.Image[k], pictures[size_t(k)]);
    }
    form_.CMDFWD->show();
    form_.CMDREV->show();
}

void TimeLineSwitch::VScroll1_Scroll(int value)
{
    QScrollBar* year = form_.VScroll1;
    if (value < kLowestYear + 1)
        year->setValue(kLowestYear);
    else if (value > kHighestYear - 1)
        year->setValue(kHighestYear);
    else
        form_.Label8->setText(QString::number(value));
}

void TimeLineSwitch::countShownYear(int step)
{
    // A label that holds no year is left as it is; the year never goes below 0.
    bool ok = false;
    const int shown = form_.Label8->text().trimmed().toInt(&ok);
    if (ok && shown + step >= 0)
        form_.Label8->setText(QString::number(shown + step));
}

void TimeLineSwitch::VScroll1_Change()
{
    QScrollBar* year = form_.VScroll1;
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
    form_.Label8->setText(QString::number(value));
    skipStep([&] {
        const QDate today = form_.clock.today();
        const QString base =
            dates::monthName(today.month()) + QStringLiteral("  ") + form_.Label8->text().trimmed();
        const std::optional<QDate> shown = dates::parseDate(base);
        if (!shown)
            return;
        form_.calendar().fillMonth(shown->month(), shown->year(), {.requery = false});
    });
    if (!form_.Calstart1->isChecked()) {
        skipStep([&] {
            form_.Image8->show();
            form_.Calstart1->show();
            for (int i = 1; i <= 42; ++i)
                form_.List1[size_t(i)]->hide();
            for (int k = 1; k <= 7; ++k)
                form_.WeekdayLabel[size_t(k)]->hide();
            form_.CALLABEL->hide();
            form_.Image8->update();
            form_.DrawFrameON(form_.Image8, form_.Image8, QStringLiteral("OUTWARD"), kOutwardMargin);
            form_.DrawFrameON(form_.Image8, form_.Image8, QStringLiteral("INWARD"), kInwardMargin);
            form_.Image8->update();
        });
    }
}

} // namespace wk::timeline
